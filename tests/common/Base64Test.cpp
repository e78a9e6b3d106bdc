#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "common/Base64.h"

namespace {

// A plain bit-by-bit encoder to check the table-driven one against.
std::string ReferenceBase64(const std::string& bytes) {
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        bitCount += 8;
        while (bitCount >= 6) {
            bitCount -= 6;
            encoded += alphabet[(bits >> bitCount) & 0x3F];
        }
    }
    if (bitCount > 0) {
        encoded += alphabet[(bits << (6 - bitCount)) & 0x3F];
    }
    while (encoded.size() % 4 != 0) {
        encoded += '=';
    }
    return encoded;
}

std::string RandomBytes(size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

struct Base64Vector {
    std::string bytes;
    std::string encoded;
};

TEST(Base64EncodeTest, MatchesKnownEncodings) {
    const Base64Vector vectors[] = {
        // RFC 4648, section 10.
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        // The last two characters of the standard alphabet, not the URL-safe "-" and "_".
        {"\xfb\xef\xbe", "++++"},
        {"\xff\xff\xff", "////"},
        // Zero bytes are data, not the end of the text.
        {std::string(1, '\0'), "AA=="},
        {std::string(2, '\0'), "AAA="},
        {std::string(3, '\0'), "AAAA"},
    };
    for (const Base64Vector& vector : vectors) {
        SCOPED_TRACE(vector.encoded);
        EXPECT_EQ(Base64Encode(vector.bytes), vector.encoded);
    }
}

TEST(Base64EncodeTest, EveryLengthAndByteValueMatchesReference) {
    // Each length ends the loop over whole groups at a different point and leaves 0, 1 or 2
    // bytes for the padded tail; the bytes run through all 256 values.
    std::string bytes = RandomBytes(100, 1);
    for (int value = 0; value < 256; ++value) {
        bytes += static_cast<char>(value);
    }
    for (size_t length = 0; length <= bytes.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string prefix = bytes.substr(0, length);
        EXPECT_EQ(Base64Encode(prefix), ReferenceBase64(prefix));
    }
}

TEST(Base64EncodeTest, LargeInputIsOneUnbrokenLine) {
    const std::string bytes = RandomBytes(1024 * 1024 + 2, 2);
    const std::string encoded = Base64Encode(bytes);
    EXPECT_EQ(encoded.size(), (bytes.size() + 2) / 3 * 4);
    EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(encoded, ReferenceBase64(bytes));
}

}  // namespace
