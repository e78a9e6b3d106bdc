#pragma once

#include <cstdint>
#include <string_view>

// The standard CRC-32 of bytes (the one of zip and PNG), computed by zlib: reflected polynomial
// 0xEDB88320, initial value 0xFFFFFFFF and a final inversion. The CRC-32 of "123456789" is
// 0xCBF43926 and that of no bytes is 0.
uint32_t Crc32(std::string_view bytes);
