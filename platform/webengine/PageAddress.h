#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the built-in view makes of an address.

// The picture that an address of our picture page names: "file:///<folder>/image.html?img=<path>",
// the page name compared without regard to case, <path> one percent-encoded UTF-8 URI component
// ("+" stays "+"). Nothing for any other address; an empty path when img is missing or is not
// a valid encoding, so the page shows no picture.
std::optional<std::wstring> PicturePageImage(std::wstring_view address);

// Decodes percent escapes of UTF-8 text as one URI component; nothing when an escape is broken
// or the bytes are not UTF-8.
std::optional<std::wstring> DecodeUriComponent(std::wstring_view encoded);

// True for http and https addresses: the only ones handed to the default browser, so that a page
// address can never start a local program.
bool IsWebAddress(std::wstring_view address);
