#include "platform/servers/report/ReportCipher.h"

#include <openssl/evp.h>

#include <memory>

#include "platform/servers/core/Base64Decode.h"

namespace pimlo::servers {

namespace {

struct CipherContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

constexpr size_t kBlockBytes = 16;

}  // namespace

std::optional<std::string> DecryptReport(const std::string& body) {
    std::optional<std::string> cipher = DecodeBase64(body);
    if (!cipher || cipher->empty() || cipher->size() % kBlockBytes != 0) return std::nullopt;

    std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree> context(EVP_CIPHER_CTX_new());
    const auto* key = reinterpret_cast<const unsigned char*>(kReportKey);
    if (!context ||
        EVP_DecryptInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key, nullptr) != 1)
        return std::nullopt;

    std::string plain(cipher->size() + kBlockBytes, '\0');
    auto* out = reinterpret_cast<unsigned char*>(plain.data());
    int updated = 0;
    int finished = 0;
    // The final step checks and strips the PKCS#7 padding.
    if (EVP_DecryptUpdate(context.get(), out, &updated,
                          reinterpret_cast<const unsigned char*>(cipher->data()),
                          static_cast<int>(cipher->size())) != 1 ||
        EVP_DecryptFinal_ex(context.get(), out + updated, &finished) != 1)
        return std::nullopt;
    plain.resize(static_cast<size_t>(updated + finished));
    return plain;
}

}  // namespace pimlo::servers
