#pragma once
// Standard Base64 with padding, as the program encodes pictures and reports;
// OpenSSL's encoder, apart from the hosts' own decoder so that a mistake in
// one cannot hide in the other.

#include <openssl/evp.h>

#include <string>

namespace pimlo::servers::testing {

inline std::string Base64(const std::string& bytes) {
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                 reinterpret_cast<const unsigned char*>(bytes.data()),
                                 static_cast<int>(bytes.size()));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace pimlo::servers::testing
