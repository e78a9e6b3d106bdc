#pragma once

#include <string>
#include <string_view>

// Encodes bytes as Base64 with the standard alphabet (A-Z, a-z, 0-9, "+", "/"): every three
// bytes become four characters and the last group is padded with "=" to four characters. The
// result has no line breaks; an empty input gives an empty string.
//
// Pictures of several megabytes pass through here on every recognition, so the encoder writes
// straight into a result sized once up front.
std::string Base64Encode(std::string_view bytes);
