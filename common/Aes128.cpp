#include "common/Aes128.h"

#include <limits>

#include "common/CngAlgorithm.h"

namespace {

constexpr size_t kBlockSize = 16;
constexpr size_t kKeySize = 16;

// Opened on first use, once even when threads arrive together, and kept for the whole process,
// so that a worker still encrypting while the process ends never meets a closed handle. ECB is
// set on the provider itself, so every key made from it encrypts block by block.
const CngAlgorithm& AesEcbAlgorithm() {
    static const CngAlgorithm algorithm =
        OpenCngAlgorithm(BCRYPT_AES_ALGORITHM, BCRYPT_CHAIN_MODE_ECB);
    return algorithm;
}

// plain followed by PKCS#7 padding: 1 to 16 bytes, each holding the number of padding bytes.
std::string PadToWholeBlocks(std::string_view plain) {
    const size_t paddingLength = kBlockSize - plain.size() % kBlockSize;
    std::string padded(plain);
    padded.append(paddingLength, static_cast<char>(paddingLength));
    return padded;
}

std::string EncryptWholeBlocks(std::string_view key, const std::string& padded) {
    const CngAlgorithm& aes = AesEcbAlgorithm();
    if (!aes.handle || padded.size() > std::numeric_limits<ULONG>::max()) {
        return {};
    }
    std::vector<UCHAR> object = aes.NewObjectBuffer();
    BCRYPT_KEY_HANDLE created = nullptr;
    auto* keyBytes = reinterpret_cast<PUCHAR>(const_cast<char*>(key.data()));
    if (!BCRYPT_SUCCESS(BCryptGenerateSymmetricKey(aes.handle, &created, object.data(),
                                                   static_cast<ULONG>(object.size()), keyBytes,
                                                   static_cast<ULONG>(key.size()), 0))) {
        return {};
    }
    const CngKey aesKey(created);
    const auto size = static_cast<ULONG>(padded.size());
    std::string cipher(padded.size(), '\0');
    ULONG written = 0;
    // The text is padded already, so no padding flag: the output is exactly as long as the input.
    const NTSTATUS status = BCryptEncrypt(
        aesKey.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(padded.data())), size, nullptr,
        nullptr, 0, reinterpret_cast<PUCHAR>(cipher.data()), size, &written, 0);
    return BCRYPT_SUCCESS(status) && written == size ? cipher : std::string();
}

}  // namespace

std::string Aes128EcbEncrypt(std::string_view key, std::string_view plain) {
    if (key.size() != kKeySize) {
        return {};
    }
    return EncryptWholeBlocks(key, PadToWholeBlocks(plain));
}
