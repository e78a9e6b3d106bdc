#include "platform/webengine/PageAddress.h"

#include <windows.h>

#include "common/FileSystem.h"
#include "common/StringConversion.h"

namespace {

constexpr std::wstring_view kPicturePage = L"image.html";
constexpr std::wstring_view kPictureParameter = L"img";

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

int HexValue(wchar_t digit) {
    if (digit >= L'0' && digit <= L'9') {
        return digit - L'0';
    }
    if (digit >= L'a' && digit <= L'f') {
        return digit - L'a' + 10;
    }
    if (digit >= L'A' && digit <= L'F') {
        return digit - L'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::wstring> DecodeUriComponent(std::wstring_view encoded) {
    // Characters outside ASCII may stand unescaped in an address: they join the UTF-8 bytes as
    // their own UTF-8 form.
    std::string bytes;
    size_t literalStart = 0;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != L'%') {
            continue;
        }
        bytes += WideToUtf8(encoded.substr(literalStart, i - literalStart));
        int high = i + 2 < encoded.size() ? HexValue(encoded[i + 1]) : -1;
        int low = high >= 0 ? HexValue(encoded[i + 2]) : -1;
        if (low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
        literalStart = i + 1;
    }
    bytes += WideToUtf8(encoded.substr(literalStart));
    std::wstring text = Utf8ToWide(bytes);
    if (text.empty() && !bytes.empty()) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::wstring> PicturePageImage(std::wstring_view address) {
    address = address.substr(0, address.find(L'#'));
    size_t queryStart = address.find(L'?');
    std::wstring_view page = address.substr(0, queryStart);
    if (!StartsWithIgnoringCase(page, L"file:") || !EndsWithIgnoringCase(page, kPicturePage) ||
        (page.size() > kPicturePage.size() &&
         page[page.size() - kPicturePage.size() - 1] != L'/')) {
        return std::nullopt;
    }
    std::wstring_view query = queryStart == std::wstring_view::npos
                                  ? std::wstring_view()
                                  : address.substr(queryStart + 1);
    while (!query.empty()) {
        size_t end = query.find(L'&');
        std::wstring_view pair = query.substr(0, end);
        query = end == std::wstring_view::npos ? std::wstring_view() : query.substr(end + 1);
        size_t equals = pair.find(L'=');
        if (pair.substr(0, equals) != kPictureParameter || equals == std::wstring_view::npos) {
            continue;
        }
        return DecodeUriComponent(pair.substr(equals + 1)).value_or(std::wstring());
    }
    return std::wstring();
}

bool IsWebAddress(std::wstring_view address) {
    return StartsWithIgnoringCase(address, L"http://") ||
           StartsWithIgnoringCase(address, L"https://");
}
