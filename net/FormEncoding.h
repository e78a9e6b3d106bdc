#pragma once

#include <map>
#include <string>
#include <string_view>

// Pairs of a form body or a query. std::map orders std::string keys by
// ascending byte value, which is the order the pairs go over the wire.
using FormMap = std::map<std::string, std::string>;

// Percent-escapes every byte except ASCII letters, digits and "-._~", with
// upper-case hexadecimal digits: the same text libcurl's curl_escape makes.
std::string FormEscape(std::string_view bytes);

// Each pair as escape(key) "=" escape(value) "&", in key order; the last
// pair is followed by "&" too, and an empty map gives an empty text.
std::string FormEncode(const FormMap& pairs);
