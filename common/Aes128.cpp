#include "common/Aes128.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kBlockSize = 16;
constexpr size_t kKeySize = 16;
constexpr int kRounds = 10;

using Block = std::array<uint8_t, kBlockSize>;
// The key schedule: one 16-byte round key for the initial step and one for each round.
constexpr size_t kRoundKeysSize = kBlockSize * (kRounds + 1);
using RoundKeys = std::array<uint8_t, kRoundKeysSize>;

constexpr uint8_t RotateLeft(uint8_t value, int count) {
    return static_cast<uint8_t>((value << count) | (value >> (8 - count)));
}

// Multiplication by x (that is, by 2) in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
constexpr uint8_t MultiplyByX(uint8_t value) {
    return static_cast<uint8_t>((value << 1) ^ ((value & 0x80) ? 0x1B : 0x00));
}

// The substitution box: the multiplicative inverse in GF(2^8) followed by the affine map.
// Walking p through the powers of 3 and q through the powers of its inverse (3^-1) visits
// every non-zero element together with its inverse, so the table is computed rather than
// typed in, with no chance of a mistyped entry.
constexpr std::array<uint8_t, 256> MakeSubstitutionBox() {
    std::array<uint8_t, 256> box{};
    uint8_t p = 1;
    uint8_t q = 1;
    do {
        p = static_cast<uint8_t>(p ^ MultiplyByX(p));
        q = static_cast<uint8_t>(q ^ (q << 1));
        q = static_cast<uint8_t>(q ^ (q << 2));
        q = static_cast<uint8_t>(q ^ (q << 4));
        if (q & 0x80) {
            q ^= 0x09;
        }
        box[p] = static_cast<uint8_t>(q ^ RotateLeft(q, 1) ^ RotateLeft(q, 2) ^ RotateLeft(q, 3) ^
                                      RotateLeft(q, 4) ^ 0x63);
    } while (p != 1);
    box[0] = 0x63;  // Zero has no inverse; the affine map of zero alone.
    return box;
}

constexpr std::array<uint8_t, 256> kSubstitutionBox = MakeSubstitutionBox();

constexpr uint8_t kRoundConstants[kRounds] = {0x01, 0x02, 0x04, 0x08, 0x10,
                                              0x20, 0x40, 0x80, 0x1B, 0x36};

RoundKeys ExpandKey(const uint8_t* key) {
    RoundKeys keys{};
    std::memcpy(keys.data(), key, kKeySize);
    // Each 4-byte word is the word before it XOR-ed with the word one round key back; the first
    // word of a round key first has its predecessor rotated, substituted and salted.
    for (size_t offset = kKeySize; offset < keys.size(); offset += 4) {
        uint8_t word[4];
        std::memcpy(word, &keys[offset - 4], 4);
        if (offset % kKeySize == 0) {
            const uint8_t first = word[0];
            word[0] = static_cast<uint8_t>(kSubstitutionBox[word[1]] ^
                                           kRoundConstants[offset / kKeySize - 1]);
            word[1] = kSubstitutionBox[word[2]];
            word[2] = kSubstitutionBox[word[3]];
            word[3] = kSubstitutionBox[first];
        }
        for (size_t i = 0; i < 4; ++i) {
            keys[offset + i] = static_cast<uint8_t>(keys[offset - kKeySize + i] ^ word[i]);
        }
    }
    return keys;
}

// The state holds the block column by column: byte r of column c is state[4 * c + r].

void AddRoundKey(Block& state, const uint8_t* roundKey) {
    for (size_t i = 0; i < kBlockSize; ++i) {
        state[i] ^= roundKey[i];
    }
}

// SubBytes and ShiftRows in one pass: row r moves r columns to the left.
void SubstituteAndShiftRows(Block& state) {
    const Block old = state;
    for (size_t column = 0; column < 4; ++column) {
        for (size_t row = 0; row < 4; ++row) {
            state[4 * column + row] = kSubstitutionBox[old[4 * ((column + row) % 4) + row]];
        }
    }
}

void MixColumns(Block& state) {
    for (size_t column = 0; column < 4; ++column) {
        uint8_t* a = &state[4 * column];
        const uint8_t all = static_cast<uint8_t>(a[0] ^ a[1] ^ a[2] ^ a[3]);
        const uint8_t first = a[0];
        // {02}a0 ^ {03}a1 ^ a2 ^ a3 == a0 ^ (a0 ^ a1 ^ a2 ^ a3) ^ {02}(a0 ^ a1), and so on.
        a[0] = static_cast<uint8_t>(a[0] ^ all ^ MultiplyByX(a[0] ^ a[1]));
        a[1] = static_cast<uint8_t>(a[1] ^ all ^ MultiplyByX(a[1] ^ a[2]));
        a[2] = static_cast<uint8_t>(a[2] ^ all ^ MultiplyByX(a[2] ^ a[3]));
        a[3] = static_cast<uint8_t>(a[3] ^ all ^ MultiplyByX(a[3] ^ first));
    }
}

void EncryptBlock(Block& state, const RoundKeys& keys) {
    AddRoundKey(state, &keys[0]);
    for (int round = 1; round < kRounds; ++round) {
        SubstituteAndShiftRows(state);
        MixColumns(state);
        AddRoundKey(state, &keys[kBlockSize * round]);
    }
    SubstituteAndShiftRows(state);
    AddRoundKey(state, &keys[kBlockSize * kRounds]);
}

}  // namespace

std::string Aes128EcbEncrypt(std::string_view key, std::string_view plain) {
    if (key.size() != kKeySize) {
        return {};
    }
    const RoundKeys keys = ExpandKey(reinterpret_cast<const uint8_t*>(key.data()));

    const size_t paddingLength = kBlockSize - plain.size() % kBlockSize;
    std::string cipher(plain);
    cipher.append(paddingLength, static_cast<char>(paddingLength));

    for (size_t offset = 0; offset < cipher.size(); offset += kBlockSize) {
        Block state;
        std::memcpy(state.data(), cipher.data() + offset, kBlockSize);
        EncryptBlock(state, keys);
        std::memcpy(cipher.data() + offset, state.data(), kBlockSize);
    }
    return cipher;
}
