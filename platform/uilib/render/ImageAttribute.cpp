#include "platform/uilib/render/ImageAttribute.h"

#include <algorithm>

#include "platform/uilib/core/AttributeValues.h"

ImageAttribute ParseImageAttribute(std::wstring_view text) {
    ImageAttribute image;
    if (text.find(L'=') == std::wstring_view::npos) {
        image.file = std::wstring(text);
        return image;
    }
    for (const auto& [name, value] : ParseAttributeList(text)) {
        if (name == L"file" || name == L"res") {
            image.file = value;
        } else if (name == L"source") {
            image.source = ParseRect(value);
            image.hasSource = true;
        } else if (name == L"dest") {
            image.dest = ParseRect(value);
            image.hasDest = true;
        } else if (name == L"corner") {
            image.corner = ParseRect(value);
        } else if (name == L"fade") {
            image.fade = static_cast<BYTE>(std::clamp(ParseInt(value), 0, 255));
        } else if (name == L"xtiled") {
            image.xtiled = ParseBool(value);
        } else if (name == L"ytiled") {
            image.ytiled = ParseBool(value);
        }
    }
    return image;
}

std::wstring DoubleScaleName(const std::wstring& file) {
    size_t dot = file.find_last_of(L'.');
    size_t slash = file.find_last_of(L"/\\");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) {
        return file + L"@200";
    }
    return file.substr(0, dot) + L"@200" + file.substr(dot);
}
