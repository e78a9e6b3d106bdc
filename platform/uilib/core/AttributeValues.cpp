#include "platform/uilib/core/AttributeValues.h"

#include <cwctype>

namespace {

// Reads the next (optionally signed) integer, skipping separators before it.
bool NextInt(std::wstring_view& text, long& value) {
    size_t i = 0;
    while (i < text.size() && !iswdigit(text[i]) && text[i] != L'-') {
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    bool negative = text[i] == L'-';
    if (negative) {
        ++i;
    }
    long number = 0;
    while (i < text.size() && iswdigit(text[i])) {
        number = number * 10 + (text[i] - L'0');
        ++i;
    }
    value = negative ? -number : number;
    text.remove_prefix(i);
    return true;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && iswspace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && iswspace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

RECT ParseRect(std::wstring_view text) {
    long values[4] = {0, 0, 0, 0};
    for (long& value : values) {
        if (!NextInt(text, value)) {
            break;
        }
    }
    return RECT{values[0], values[1], values[2], values[3]};
}

SIZE ParseSize(std::wstring_view text) {
    RECT rect = ParseRect(text);
    return SIZE{rect.left, rect.top};
}

int ParseInt(std::wstring_view text) {
    long value = 0;
    NextInt(text, value);
    return static_cast<int>(value);
}

bool ParseBool(std::wstring_view text) {
    text = Trim(text);
    if (text.size() == 4 && _wcsnicmp(text.data(), L"true", 4) == 0) {
        return true;
    }
    return !text.empty() && iswdigit(text[0]) && ParseInt(text) != 0;
}

DWORD ParseColor(std::wstring_view text) {
    text = Trim(text);
    size_t digitsAt = 0;
    if (!text.empty() && text[0] == L'#') {
        digitsAt = 1;
    } else if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        digitsAt = 2;
    }
    std::wstring digits(text.substr(digitsAt));
    if (digits.empty() || digits.size() > 8) {
        return 0;
    }
    wchar_t* end = nullptr;
    unsigned long value = wcstoul(digits.c_str(), &end, 16);
    if (*end != L'\0') {
        return 0;
    }
    if (digits.size() <= 6) {
        value |= 0xFF000000UL;
    }
    return static_cast<DWORD>(value);
}

std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(std::wstring_view text) {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    while (true) {
        size_t equals = text.find(L'=');
        if (equals == std::wstring_view::npos) {
            break;
        }
        std::wstring_view name = Trim(text.substr(0, equals));
        text.remove_prefix(equals + 1);
        text = Trim(text);
        if (text.empty() || (text[0] != L'\'' && text[0] != L'"')) {
            break;
        }
        wchar_t quote = text[0];
        size_t close = text.find(quote, 1);
        if (close == std::wstring_view::npos) {
            break;
        }
        pairs.emplace_back(std::wstring(name), std::wstring(text.substr(1, close - 1)));
        text.remove_prefix(close + 1);
    }
    return pairs;
}
