#pragma once
// Strict Base64 decoding (standard alphabet, "=" padding, no line breaks),
// as the program writes it.

#include <optional>
#include <string>

namespace pimlo::servers {

// The decoded bytes; nullopt when the text is empty, its length is not a
// multiple of 4, or it holds any character outside the alphabet or padding
// anywhere but at the end.
std::optional<std::string> DecodeBase64(const std::string& text);

}  // namespace pimlo::servers
