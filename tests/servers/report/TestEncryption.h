#pragma once
// Encrypts a report the way the program does (AES-128-ECB with PKCS#7
// padding, then Base64), written apart from the host's decryption so that a
// mistake in one cannot hide in the other.

#include <openssl/evp.h>

#include <memory>
#include <string>

#include "tests/servers/support/Base64Encode.h"

namespace pimlo::servers::testing {

// `padding` false leaves the caller's bytes unpadded (they must be whole
// blocks), for bodies whose padding is deliberately wrong.
inline std::string EncryptReport(const std::string& plain, const std::string& key,
                                 bool padding = true) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
    EVP_EncryptInit_ex(context.get(), EVP_aes_128_ecb(), nullptr,
                       reinterpret_cast<const unsigned char*>(key.data()), nullptr);
    EVP_CIPHER_CTX_set_padding(context.get(), padding ? 1 : 0);
    std::string cipher(plain.size() + 32, '\0');
    int length = 0;
    int last = 0;
    auto* out = reinterpret_cast<unsigned char*>(cipher.data());
    EVP_EncryptUpdate(context.get(), out, &length,
                      reinterpret_cast<const unsigned char*>(plain.data()),
                      static_cast<int>(plain.size()));
    EVP_EncryptFinal_ex(context.get(), out + length, &last);
    cipher.resize(static_cast<size_t>(length + last));
    return Base64(cipher);
}

}  // namespace pimlo::servers::testing
