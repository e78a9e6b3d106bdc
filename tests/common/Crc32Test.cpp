#include <gtest/gtest.h>

#include <string>

#include "common/Crc32.h"

namespace {

struct Crc32Vector {
    std::string bytes;
    uint32_t crc;
};

TEST(Crc32Test, MatchesStandardCrc32) {
    std::string allValues;
    for (int value = 0; value < 256; ++value) {
        allValues += static_cast<char>(value);
    }
    const Crc32Vector vectors[] = {
        {"", 0x00000000},
        {"123456789", 0xCBF43926},  // The standard check value.
        {"The quick brown fox jumps over the lazy dog", 0x414FA339},
        {allValues, 0x29058C73},
        {std::string(256, '\0'), 0x0D968558},
    };
    for (const Crc32Vector& vector : vectors) {
        SCOPED_TRACE(vector.bytes.size());
        EXPECT_EQ(Crc32(vector.bytes), vector.crc);
    }
}

}  // namespace
