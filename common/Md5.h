#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// MD5 (RFC 1321) through the system's cryptography (CNG). Every Windows the program runs on has
// it; should the system still refuse, the digest is all zeros and the hexadecimal form empty.

// The 16-byte MD5 digest of bytes.
std::array<uint8_t, 16> Md5Digest(std::string_view bytes);

// The MD5 digest of bytes as 32 hexadecimal digits, lower case unless upperCase is set.
std::string Md5Hex(std::string_view bytes, bool upperCase = false);
