#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include "common/Md5.h"

namespace {

struct Md5Vector {
    std::string bytes;
    std::string lowerHex;
};

std::string ToUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

const std::vector<Md5Vector>& Rfc1321Suite() {
    static const std::vector<Md5Vector> vectors = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    return vectors;
}

TEST(Md5Test, MatchesRfc1321TestSuiteInBothCases) {
    for (const Md5Vector& vector : Rfc1321Suite()) {
        SCOPED_TRACE(vector.bytes);
        EXPECT_EQ(Md5Hex(vector.bytes), vector.lowerHex);
        EXPECT_EQ(Md5Hex(vector.bytes, true), ToUpper(vector.lowerHex));
    }
}

TEST(Md5Test, ThreadsHashingAtOnceEachGetTheirOwnDigest) {
    // Workers hash pictures side by side, through one provider opened by whichever comes first.
    constexpr int kThreads = 4;
    constexpr int kRounds = 50;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&wrong, t] {
            const std::vector<Md5Vector>& suite = Rfc1321Suite();
            for (int round = 0; round < kRounds; ++round) {
                const Md5Vector& vector = suite[(t + round) % suite.size()];
                wrong += Md5Hex(vector.bytes) != vector.lowerHex;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Md5Test, LengthsAroundBlockBoundariesAreHashedCorrectly) {
    // From 56 bytes on, the padding and the length no longer fit in the last block.
    const Md5Vector vectors[] = {
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
        {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
        {std::string(1, '\0'), "93b885adfe0da089cdf634904fd59f71"},
    };
    for (const Md5Vector& vector : vectors) {
        SCOPED_TRACE(vector.bytes.size());
        EXPECT_EQ(Md5Hex(vector.bytes), vector.lowerHex);
    }
}

TEST(Md5Test, DigestHoldsTheBytesThatTheHexSpellsOut) {
    const std::array<uint8_t, 16> expected = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                              0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    EXPECT_EQ(Md5Digest("abc"), expected);
}

}  // namespace
