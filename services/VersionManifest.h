#pragma once

#include <optional>
#include <string>

// The update host's manifest: "version=" followed by the version it offers.

// The offered version of a manifest answer: line feeds and tabs anywhere are
// dropped, the answer must start with "version=" exactly, and white space
// at the end (a carriage return left by a "\r\n" line end) is not part of
// the version. Nothing for an answer that is no manifest, or whose version
// is empty or longer than any version text.
std::optional<std::wstring> OfferedVersion(std::wstring answer);

// True when offered is a later version than installed. Versions made only
// of digits and dots compare part by part as numbers ("2.10" is after
// "2.9", "1.2" equals "1.2.0"); any other text compares by its characters'
// codes, a longer text after its own beginning. White space at the end is
// ignored either way.
bool IsNewerVersion(std::wstring offered, std::wstring installed);
