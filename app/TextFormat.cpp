#include "app/TextFormat.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <optional>

namespace {

// Bounds a width or precision written in a language text, so that a typing
// error such as "%99999999d" can not make the program allocate gigabytes.
constexpr size_t kMaxFieldWidth = 1024;

struct Placeholder {
    size_t length = 0;  // from the "%" to the conversion character, both included
    std::wstring flags;
    size_t width = 0;
    std::optional<size_t> precision;
    wchar_t conversion = L'\0';

    bool Has(wchar_t flag) const { return flags.find(flag) != std::wstring::npos; }
};

bool IsNumberConversion(wchar_t c) { return c != L'\0' && std::wcschr(L"diuxXoc", c); }
bool IsTextConversion(wchar_t c) { return c == L's' || c == L'S'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

size_t ReadCount(std::wstring_view format, size_t& at) {
    size_t count = 0;
    while (at < format.size() && IsDigit(format[at])) {
        count = std::min(count * 10 + static_cast<size_t>(format[at] - L'0'), kMaxFieldWidth);
        ++at;
    }
    return count;
}

void SkipLengthModifiers(std::wstring_view format, size_t& at) {
    while (at < format.size()) {
        if (format.substr(at, 3) == L"I64" || format.substr(at, 3) == L"I32") {
            at += 3;
        } else if (format[at] != L'\0' && std::wcschr(L"hlLqjztwI", format[at])) {
            ++at;
        } else {
            return;
        }
    }
}

// The placeholder whose "%" is at format[start]; nothing when it is not one
// that FormatText knows.
std::optional<Placeholder> ParsePlaceholder(std::wstring_view format, size_t start) {
    Placeholder placeholder;
    size_t at = start + 1;
    while (at < format.size() && format[at] != L'\0' && std::wcschr(L"-+ #0", format[at])) {
        placeholder.flags += format[at++];
    }
    placeholder.width = ReadCount(format, at);
    if (at < format.size() && format[at] == L'.') {
        ++at;
        placeholder.precision = ReadCount(format, at);
    }
    SkipLengthModifiers(format, at);
    if (at >= format.size() || !(IsNumberConversion(format[at]) || IsTextConversion(format[at]))) {
        return std::nullopt;
    }
    placeholder.conversion = format[at];
    placeholder.length = at - start + 1;
    return placeholder;
}

std::wstring Pad(const Placeholder& placeholder, std::wstring text) {
    if (text.size() >= placeholder.width) {
        return text;
    }
    const std::wstring spaces(placeholder.width - text.size(), L' ');
    return placeholder.Has(L'-') ? text + spaces : spaces + text;
}

std::wstring DigitsOf(uint64_t magnitude, wchar_t conversion) {
    const unsigned base = conversion == L'o'                           ? 8
                          : (conversion == L'x' || conversion == L'X') ? 16
                                                                       : 10;
    const wchar_t* digits = conversion == L'X' ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0);
    return text;
}

std::wstring RenderNumber(const Placeholder& placeholder, int64_t value) {
    const wchar_t conversion = placeholder.conversion;
    if (conversion == L'c') {
        return Pad(placeholder, std::wstring(1, static_cast<wchar_t>(value)));
    }
    const bool isSigned = conversion == L'd' || conversion == L'i';
    const bool negative = isSigned && value < 0;
    uint64_t magnitude = static_cast<uint64_t>(value);
    if (negative) {
        magnitude = 0 - magnitude;
    } else if (value < 0 && value >= INT_MIN) {
        magnitude = static_cast<uint32_t>(value);  // an int shown unsigned, as printf does
    }
    std::wstring digits = DigitsOf(magnitude, conversion);
    if (placeholder.precision) {
        if (*placeholder.precision == 0 && magnitude == 0) {
            digits.clear();
        }
        if (digits.size() < *placeholder.precision) {
            digits.insert(0, *placeholder.precision - digits.size(), L'0');
        }
    }
    std::wstring prefix;
    if (negative) {
        prefix = L"-";
    } else if (isSigned && placeholder.Has(L'+')) {
        prefix = L"+";
    } else if (isSigned && placeholder.Has(L' ')) {
        prefix = L" ";
    } else if (placeholder.Has(L'#') && magnitude != 0 && conversion != L'u') {
        prefix = conversion == L'o' ? L"0" : conversion == L'X' ? L"0X" : L"0x";
    }
    const bool zeroPad = placeholder.Has(L'0') && !placeholder.Has(L'-') && !placeholder.precision;
    if (zeroPad && prefix.size() + digits.size() < placeholder.width) {
        digits.insert(0, placeholder.width - prefix.size() - digits.size(), L'0');
    }
    return Pad(placeholder, prefix + digits);
}

std::wstring Render(const Placeholder& placeholder, const FormatArgument& argument) {
    if (IsNumberConversion(placeholder.conversion) && argument.IsNumber()) {
        return RenderNumber(placeholder, argument.Number());
    }
    std::wstring text = argument.Text();
    if (IsTextConversion(placeholder.conversion) && placeholder.precision &&
        text.size() > *placeholder.precision) {
        text.resize(*placeholder.precision);
    }
    return Pad(placeholder, std::move(text));
}

bool IsEscapedPercent(std::wstring_view format, size_t at) {
    return at + 1 < format.size() && format[at + 1] == L'%';
}

}  // namespace

int64_t FormatArgument::Number() const { return IsNumber() ? std::get<int64_t>(value_) : 0; }

std::wstring FormatArgument::Text() const {
    return IsNumber() ? std::to_wstring(std::get<int64_t>(value_)) : std::get<std::wstring>(value_);
}

std::wstring FormatText(std::wstring_view format, std::initializer_list<FormatArgument> arguments) {
    std::wstring text;
    const FormatArgument* next = arguments.begin();
    size_t at = 0;
    while (at < format.size()) {
        if (format[at] != L'%') {
            text += format[at++];
            continue;
        }
        if (IsEscapedPercent(format, at)) {
            text += L'%';
            at += 2;
            continue;
        }
        const std::optional<Placeholder> placeholder = ParsePlaceholder(format, at);
        if (!placeholder || next == arguments.end()) {
            text += format[at++];
            continue;
        }
        text += Render(*placeholder, *next++);
        at += placeholder->length;
    }
    return text;
}

std::string PlaceholderKinds(std::wstring_view format) {
    std::string kinds;
    size_t at = 0;
    while (at < format.size()) {
        if (format[at] != L'%') {
            ++at;
        } else if (IsEscapedPercent(format, at)) {
            at += 2;
        } else if (const std::optional<Placeholder> placeholder = ParsePlaceholder(format, at)) {
            kinds += IsTextConversion(placeholder->conversion) ? 's' : 'd';
            at += placeholder->length;
        } else {
            kinds += '?';
            ++at;
        }
    }
    return kinds;
}
