#include <windows.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;
// What a code page shows for a character it lacks.
constexpr char kDefaultCharacter = '?';

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// One UTF-8 sequence at text[at]: its code point, or nothing when the bytes
// there are not a whole, shortest, valid sequence. at moves past what was read
// (one byte for an invalid sequence).
std::optional<char32_t> NextUtf8(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int trailing = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    const size_t start = at;
    for (int i = 0; i < trailing; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            at = start;
            return std::nullopt;
        }
        c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kShortest[trailing] || c > kLastCodePoint || IsSurrogate(c)) {
        at = start;
        return std::nullopt;
    }
    return c;
}

void AppendUnits(std::wstring& units, char32_t c) {
    if (c < 0x10000) {
        units += static_cast<wchar_t>(c);
        return;
    }
    c -= 0x10000;
    units += static_cast<wchar_t>(0xD800 + (c >> 10));
    units += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
}

std::optional<std::wstring> DecodeUtf8(std::string_view text, bool strict) {
    std::wstring units;
    for (size_t at = 0; at < text.size();) {
        const std::optional<char32_t> c = NextUtf8(text, at);
        if (!c && strict) return std::nullopt;
        AppendUnits(units, c.value_or(kReplacement));
    }
    return units;
}

// An iconv conversion kept open for the process.
class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}

    // Converts one whole character; nothing when the bytes are no character.
    std::optional<std::string> Convert(std::string_view in) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in.data());
        size_t sourceLeft = in.size();
        char out[16];
        char* target = out;
        size_t targetLeft = sizeof(out);
        if (iconv(handle_, &source, &sourceLeft, &target, &targetLeft) == static_cast<size_t>(-1) ||
            sourceLeft != 0) {
            return std::nullopt;
        }
        return std::string(out, sizeof(out) - targetLeft);
    }

private:
    iconv_t handle_;
};

char32_t FromUtf32(const std::string& bytes) {
    char32_t c = 0;
    std::memcpy(&c, bytes.data(), sizeof(c));
    return c;
}

// Code page 936: a byte below 0x80 is itself, a lead byte takes the next one.
std::wstring DecodeGbk(std::string_view text) {
    static Iconv toUtf32("UTF-32LE", "CP936");
    std::wstring units;
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead >= 0x81 && lead <= 0xFE && at + 1 < text.size() ? 2 : 1;
        const std::optional<std::string> c = toUtf32.Convert(text.substr(at, length));
        if (c && c->size() == sizeof(char32_t)) {
            AppendUnits(units, FromUtf32(*c));
            at += length;
        } else {
            units += static_cast<wchar_t>(kReplacement);
            ++at;
        }
    }
    return units;
}

// The code points of UTF-16 units; an unpaired surrogate, or an element
// beyond 16 bits that Windows could not hold, becomes U+FFFD.
std::u32string CodePointsOf(const wchar_t* wide, size_t length) {
    std::u32string points;
    for (size_t i = 0; i < length; ++i) {
        const auto unit = static_cast<char32_t>(wide[i]);
        if (unit > 0xFFFF) {
            points += kReplacement;
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length &&
                   static_cast<char32_t>(wide[i + 1]) >= 0xDC00 &&
                   static_cast<char32_t>(wide[i + 1]) <= 0xDFFF) {
            points +=
                0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
        } else {
            points += IsSurrogate(unit) ? kReplacement : unit;
        }
    }
    return points;
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | c >> 18);
        text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendGbk(std::string& text, char32_t c) {
    static Iconv fromUtf32("CP936", "UTF-32LE");
    const std::optional<std::string> bytes =
        fromUtf32.Convert(std::string_view(reinterpret_cast<const char*>(&c), sizeof(c)));
    text += bytes && !bytes->empty() ? *bytes : std::string(1, kDefaultCharacter);
}

// Hands over a converted text as the Windows functions do: its length when
// no room is given, 0 when the room is too small.
template <typename Unit>
int Deliver(const std::basic_string<Unit>& converted, Unit* out, int room) {
    const int length = static_cast<int>(converted.size());
    if (room == 0) return length;
    if (room < length) return 0;
    std::memcpy(out, converted.data(), converted.size() * sizeof(Unit));
    return length;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength, wchar_t* wide,
                        int wideLength) {
    if (textLength <= 0) return 0;
    const std::string_view bytes(text, static_cast<size_t>(textLength));
    const std::optional<std::wstring> units =
        codePage == CP_UTF8 ? DecodeUtf8(bytes, (flags & MB_ERR_INVALID_CHARS) != 0)
                            : std::optional<std::wstring>(DecodeGbk(bytes));
    return units ? Deliver(*units, wide, wideLength) : 0;
}

int WideCharToMultiByte(UINT codePage, DWORD, const wchar_t* wide, int wideLength, char* text,
                        int textLength, const char*, BOOL*) {
    if (wideLength <= 0) return 0;
    std::string converted;
    for (const char32_t c : CodePointsOf(wide, static_cast<size_t>(wideLength))) {
        codePage == CP_UTF8 ? AppendUtf8(converted, c) : AppendGbk(converted, c);
    }
    return Deliver(converted, text, textLength);
}

int _vsnwprintf(wchar_t* buffer, size_t count, const wchar_t* format, va_list args) {
    return std::vswprintf(buffer, count, format, args);
}

void OutputDebugStringW(LPCWSTR) {}

int MessageBoxW(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }

BOOL DeleteFileW(LPCWSTR) { return 1; }

void GetLocalTime(SYSTEMTIME* time) { *time = SYSTEMTIME{2024, 1, 1, 1, 0, 0, 0, 0}; }

void Sleep(DWORD) {}
