#pragma once

#include <optional>
#include <string>
#include <string_view>

// Looks key up in an unscrambled section stream of a language file: a run of
// zero-terminated UTF-16LE strings "key=value" ended by an empty string. The
// key of a string is the text before its first "=", the value everything after
// it; keys compare exactly and the first match wins. A last string that is not
// terminated ends with the stream, and a lone byte after the last whole
// character is ignored. Nothing when no string has the key.
std::optional<std::wstring> FindLanguageEntry(std::string_view stream, std::wstring_view key);
