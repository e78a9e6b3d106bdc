#include "common/Crc32.h"

#include <zlib.h>

uint32_t Crc32(std::string_view bytes) {
    // zlib's CRC-32 is the standard one; crc32_z takes the whole length, however large.
    const uLong crc =
        crc32_z(crc32_z(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), bytes.size());
    return static_cast<uint32_t>(crc);
}
