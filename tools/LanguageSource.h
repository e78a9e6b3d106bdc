#pragma once

#include <string>
#include <string_view>
#include <vector>

// A language source: UTF-8 text, one "key=value" per line under "[Section]"
// headers. Blank lines and lines starting with "#" or ";" are comments. The
// key is trimmed of spaces; the value is taken as written after the first
// "=", with the escapes "\n" (line break), "\t" (tab) and "\\" (backslash).

struct LanguageEntry {
    std::wstring key;
    std::wstring value;
};

struct LanguageSourceSection {
    std::wstring name;
    std::vector<LanguageEntry> entries;
};

struct LanguageSource {
    std::vector<LanguageSourceSection> sections;
};

struct ParsedLanguageSource {
    LanguageSource source;
    // "line N: what is wrong", in UTF-8; the source is usable only when empty.
    std::vector<std::string> errors;
};

// Parses a source. A duplicated key or section, a line outside any section, a
// line that is neither a header nor "key=value", an unknown escape, text that
// is not UTF-8 and a section name that can not name a stream are errors.
ParsedLanguageSource ParseLanguageSource(std::string_view utf8);
