#include "common/Md5.h"

#include <cstring>

namespace {

constexpr size_t kBlockSize = 64;
// Room left in the last block for the message length, which takes 8 bytes.
constexpr size_t kLengthOffset = kBlockSize - 8;

// Integer parts of 2^32 * |sin(i + 1)| for i = 0..63.
constexpr uint32_t kSineTable[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// Left rotations of each step; each of the four rounds repeats its own four amounts.
constexpr int kRotations[4][4] = {
    {7, 12, 17, 22},
    {5, 9, 14, 20},
    {4, 11, 16, 23},
    {6, 10, 15, 21},
};

uint32_t RotateLeft(uint32_t value, int count) {
    return (value << count) | (value >> (32 - count));
}

uint32_t LoadLittleEndian(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

void StoreLittleEndian(uint32_t value, uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

class Md5State {
public:
    void ProcessBlock(const unsigned char* block) {
        uint32_t words[16];
        for (int i = 0; i < 16; ++i) {
            words[i] = LoadLittleEndian(block + 4 * i);
        }

        uint32_t a = state_[0];
        uint32_t b = state_[1];
        uint32_t c = state_[2];
        uint32_t d = state_[3];
        for (int step = 0; step < 64; ++step) {
            const int round = step / 16;
            uint32_t mixed = 0;
            int wordIndex = 0;
            switch (round) {
                case 0:
                    mixed = (b & c) | (~b & d);
                    wordIndex = step;
                    break;
                case 1:
                    mixed = (d & b) | (~d & c);
                    wordIndex = (5 * step + 1) % 16;
                    break;
                case 2:
                    mixed = b ^ c ^ d;
                    wordIndex = (3 * step + 5) % 16;
                    break;
                default:
                    mixed = c ^ (b | ~d);
                    wordIndex = (7 * step) % 16;
                    break;
            }
            const uint32_t sum = a + mixed + kSineTable[step] + words[wordIndex];
            a = d;
            d = c;
            c = b;
            b += RotateLeft(sum, kRotations[round][step % 4]);
        }
        state_[0] += a;
        state_[1] += b;
        state_[2] += c;
        state_[3] += d;
    }

    std::array<uint8_t, 16> Digest() const {
        std::array<uint8_t, 16> digest{};
        for (int i = 0; i < 4; ++i) {
            StoreLittleEndian(state_[i], &digest[4 * i]);
        }
        return digest;
    }

private:
    uint32_t state_[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
};

}  // namespace

std::array<uint8_t, 16> Md5Digest(std::string_view bytes) {
    Md5State md5;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t wholeBlockBytes = bytes.size() / kBlockSize * kBlockSize;
    for (size_t offset = 0; offset < wholeBlockBytes; offset += kBlockSize) {
        md5.ProcessBlock(in + offset);
    }

    // The rest of the message, a 0x80 byte, zeros, and the message length in bits (modulo 2^64,
    // little-endian) fill one more block, or two when the length no longer fits in the first.
    unsigned char tail[2 * kBlockSize] = {};
    const size_t restLength = bytes.size() - wholeBlockBytes;
    if (restLength > 0) {
        std::memcpy(tail, in + wholeBlockBytes, restLength);
    }
    tail[restLength] = 0x80;
    const size_t tailLength = restLength < kLengthOffset ? kBlockSize : 2 * kBlockSize;
    const uint64_t bitLength = static_cast<uint64_t>(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i) {
        tail[tailLength - 8 + i] = static_cast<unsigned char>(bitLength >> (8 * i));
    }
    for (size_t offset = 0; offset < tailLength; offset += kBlockSize) {
        md5.ProcessBlock(tail + offset);
    }
    return md5.Digest();
}

std::string Md5Hex(std::string_view bytes, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::array<uint8_t, 16> digest = Md5Digest(bytes);
    std::string hex(2 * digest.size(), '\0');
    for (size_t i = 0; i < digest.size(); ++i) {
        hex[2 * i] = digits[digest[i] >> 4];
        hex[2 * i + 1] = digits[digest[i] & 0x0F];
    }
    return hex;
}
