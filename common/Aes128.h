#pragma once

#include <string>
#include <string_view>

// Encrypts plain with AES-128 in ECB mode through the system's cryptography (CNG) and returns
// the cipher text bytes, or an empty string should the system refuse.
//
// The key must be exactly 16 bytes; any other length gives an empty string, because silently
// cutting or stretching a key would produce text that the peer can not decrypt.
//
// The text is padded with PKCS#7 first: 1 to 16 bytes, each holding the number of padding
// bytes, so a text whose length is a multiple of 16 gains a whole block. The cipher text is
// therefore (plain.size() / 16 + 1) * 16 bytes long, and an empty text gives one block.
std::string Aes128EcbEncrypt(std::string_view key, std::string_view plain);
