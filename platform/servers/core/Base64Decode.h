#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pimlo::servers {

// Decodes standard-alphabet Base64 (RFC 4648). Trailing "=" padding may be
// present or left out; line breaks are skipped, as some encoders wrap their
// output. Any other character, padding before the end, or a length that no
// encoding can have gives nullopt.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace pimlo::servers
