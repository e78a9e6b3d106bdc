#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/Aes128.h"
#include "common/Base64.h"

namespace {

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

std::string ToHex(std::string_view bytes) {
    const char* digits = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += digits[static_cast<unsigned char>(c) >> 4];
        hex += digits[static_cast<unsigned char>(c) & 0x0F];
    }
    return hex;
}

const std::string kFipsKey = FromHex("000102030405060708090a0b0c0d0e0f");
// The key above applied to one block of padding alone: sixteen bytes of 0x10.
const std::string kFipsPaddingBlock = "954f64f2e4e86e9eee82d20216684899";

struct PublishedVector {
    const char* source;
    std::string keyHex;
    std::string plainHex;
    // The published blocks, then the block of padding alone under the same key.
    std::string cipherHex;
};

TEST(Aes128EcbEncryptTest, MatchesPublishedVectorsBlockForBlock) {
    const std::string fipsBlock = "00112233445566778899aabbccddeeff";
    const std::string fipsCipherBlock = "69c4e0d86a7b0430d8cdb78070b4c55a";
    const PublishedVector vectors[] = {
        // The same block twice gives the same cipher block twice: no chaining.
        {"FIPS-197 C.1", "000102030405060708090a0b0c0d0e0f", fipsBlock + fipsBlock,
         fipsCipherBlock + fipsCipherBlock + kFipsPaddingBlock},
        {"SP 800-38A F.1.1", "2b7e151628aed2a6abf7158809cf4f3c",
         "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
         "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710",
         "3ad77bb40d7a3660a89ecaf32466ef97f5d3d58503b9699de785895a96fdbaaf"
         "43b1cd7f598ece23881b00e3ed0306887b0c785e27e8ad3f8223207104725dd4"
         "a254be88e037ddd9d79fb6411c3f9df8"},
    };
    for (const PublishedVector& vector : vectors) {
        SCOPED_TRACE(vector.source);
        EXPECT_EQ(ToHex(Aes128EcbEncrypt(FromHex(vector.keyHex), FromHex(vector.plainHex))),
                  vector.cipherHex);
    }
}

TEST(Aes128EcbEncryptTest, WholeBlocksGainAFullBlockOfPadding) {
    EXPECT_EQ(ToHex(Aes128EcbEncrypt(kFipsKey, "")), kFipsPaddingBlock);
    EXPECT_EQ(ToHex(Aes128EcbEncrypt(kFipsKey, std::string(16, '\x10'))),
              kFipsPaddingBlock + kFipsPaddingBlock);
}

TEST(Aes128EcbEncryptTest, PartialBlockIsPaddedWithItsPaddingLength) {
    // 19 bytes: the second block ends in 13 bytes of 0x0d. Cipher text from another
    // implementation.
    EXPECT_EQ(ToHex(Aes128EcbEncrypt("0123456789abcdef", "Hello, world! 12345")),
              "ce4829640de41289b21dc2c784d122615508bfd7eeea75e67198667288738dfb");
}

TEST(Aes128EcbEncryptTest, CipherTextGrowsToTheNextWholeBlock) {
    for (size_t length = 0; length <= 48; ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(Aes128EcbEncrypt(kFipsKey, std::string(length, 'x')).size(),
                  (length / 16 + 1) * 16);
    }
}

TEST(Aes128EcbEncryptTest, ThirtyTwoByteJsonGivesSixtyFourBase64Characters) {
    const std::string json = R"({"Event":"install","Id":"12345"})";
    ASSERT_EQ(json.size(), 32u);

    const std::string cipher = Aes128EcbEncrypt("0123456789abcdef", json);

    EXPECT_EQ(cipher.size(), 48u);
    EXPECT_EQ(Base64Encode(cipher),
              "l8WK9B1DApoMASx3a2ByqTunxMugLRz7mwE1CUIijtE3ciLgYakkxZHNnCfqFj7U");
}

TEST(Aes128EcbEncryptTest, KeyOfAnyOtherLengthGivesNothing) {
    for (const size_t keyLength : {0u, 1u, 15u, 17u, 24u, 32u}) {
        SCOPED_TRACE(keyLength);
        EXPECT_EQ(Aes128EcbEncrypt(std::string(keyLength, 'k'), "text"), "");
    }
}

}  // namespace
