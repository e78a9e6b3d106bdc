#pragma once

#include <string>
#include <string_view>

// Conversions between the byte strings of the wire and of the ANSI code page and the wide
// (UTF-16) strings shown to the user and used for paths. All of them give an empty string for
// an empty input, and also for a text too long for the system's conversion functions, which
// count in int (more than INT_MAX bytes, or more than INT_MAX / 3 wide characters, whose
// result could exceed INT_MAX bytes): an empty result is safer than a silently cut one. Zero
// bytes and characters inside the text are converted like any other.

// UTF-8 to UTF-16. Text that is not valid UTF-8 gives an empty string rather than a text with
// replacement characters in it.
std::wstring Utf8ToWide(std::string_view utf8);

// UTF-8 to UTF-16 for text that may be damaged or cut short: bytes that do not form a
// character become U+FFFD, so the rest of the text stays.
std::wstring Utf8ToWideReplacingInvalid(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// The calling thread's ANSI code page (936 for the Chinese build) to UTF-16. Bytes that do not
// form a character of the code page are replaced, not refused, so the rest of the text stays.
std::wstring AnsiToWide(std::string_view ansi);

// UTF-16 to the calling thread's ANSI code page. Characters the code page lacks become the
// code page's default character ("?").
std::string WideToAnsi(std::wstring_view wide);
