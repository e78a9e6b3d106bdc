#pragma once

#include <string>

namespace pimlo::servers {

// The MD5 digest of `bytes` as 32 lower-case hexadecimal digits.
std::string Md5Hex(const std::string& bytes);

}  // namespace pimlo::servers
