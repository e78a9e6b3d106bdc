#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The 16-byte MD5 digest (RFC 1321) of bytes.
std::array<uint8_t, 16> Md5Digest(std::string_view bytes);

// The MD5 digest of bytes as 32 hexadecimal digits, lower case unless upperCase is set.
std::string Md5Hex(std::string_view bytes, bool upperCase = false);
