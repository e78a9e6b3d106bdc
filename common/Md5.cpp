#include "common/Md5.h"

#include <algorithm>

#include "common/CngAlgorithm.h"

namespace {

// BCryptHashData takes a ULONG length; longer inputs are hashed in pieces.
constexpr size_t kLargestPiece = 1u << 30;

// Opened on first use, once even when threads arrive together, and kept for the whole process:
// opening a provider is slow, pictures are hashed one by one, and a worker still hashing while the
// process ends must not meet a closed handle.
const CngAlgorithm& Md5Algorithm() {
    static const CngAlgorithm algorithm = OpenCngAlgorithm(BCRYPT_MD5_ALGORITHM);
    return algorithm;
}

bool ComputeMd5(std::string_view bytes, std::array<uint8_t, 16>& digest) {
    const CngAlgorithm& md5 = Md5Algorithm();
    if (!md5.handle) {
        return false;
    }
    std::vector<UCHAR> object = md5.NewObjectBuffer();
    BCRYPT_HASH_HANDLE created = nullptr;
    if (!BCRYPT_SUCCESS(BCryptCreateHash(md5.handle, &created, object.data(),
                                         static_cast<ULONG>(object.size()), nullptr, 0, 0))) {
        return false;
    }
    const CngHash hash(created);
    while (!bytes.empty()) {
        const size_t piece = std::min(bytes.size(), kLargestPiece);
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
        if (!BCRYPT_SUCCESS(BCryptHashData(hash.get(), data, static_cast<ULONG>(piece), 0))) {
            return false;
        }
        bytes.remove_prefix(piece);
    }
    return BCRYPT_SUCCESS(
        BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0));
}

}  // namespace

std::array<uint8_t, 16> Md5Digest(std::string_view bytes) {
    std::array<uint8_t, 16> digest{};
    if (!ComputeMd5(bytes, digest)) {
        digest.fill(0);
    }
    return digest;
}

std::string Md5Hex(std::string_view bytes, bool upperCase) {
    std::array<uint8_t, 16> digest{};
    if (!ComputeMd5(bytes, digest)) {
        return {};
    }
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string hex(2 * digest.size(), '\0');
    for (size_t i = 0; i < digest.size(); ++i) {
        hex[2 * i] = digits[digest[i] >> 4];
        hex[2 * i + 1] = digits[digest[i] & 0x0F];
    }
    return hex;
}
