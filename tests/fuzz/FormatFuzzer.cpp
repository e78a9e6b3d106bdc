// The formatter of language texts with a hostile format and arguments: the
// texts come from files that anyone can edit.
//
// Input: UTF-16LE units, as language files hold their texts: the format, then
// up to kMaxArguments arguments, each after a U+FFFF unit. An argument that
// starts with "#" is the number written after it (saturated to 64 bits),
// any other a text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "app/TextFormat.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The most arguments a text of the program is formatted with (an invoice's
// goods row).
constexpr size_t kMaxArguments = 8;
constexpr wchar_t kArgumentSeparator = 0xFFFF;
// What one placeholder may add beyond its argument's text: the width and
// precision are bounded by 1024, a number's sign or prefix is short.
constexpr size_t kMaxPlaceholderGrowth = 1024 + 64;

FormatArgument ArgumentOf(const std::wstring& piece) {
    if (piece.empty() || piece[0] != L'#') return FormatArgument(piece);
    return FormatArgument(static_cast<long long>(std::wcstoll(piece.c_str() + 1, nullptr, 10)));
}

template <size_t... I>
std::wstring FormatWith(std::wstring_view format, const std::vector<FormatArgument>& arguments,
                        std::index_sequence<I...>) {
    return FormatText(format, {arguments[I]...});
}

template <size_t N>
std::wstring FormatWithFirst(std::wstring_view format,
                             const std::vector<FormatArgument>& arguments) {
    return FormatWith(format, arguments, std::make_index_sequence<N>());
}

template <size_t... N>
constexpr auto Formatters(std::index_sequence<N...>) {
    return std::array{&FormatWithFirst<N>...};
}

// Formats with the first n arguments, for every n up to kMaxArguments.
constexpr auto kFormatters = Formatters(std::make_index_sequence<kMaxArguments + 1>());

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring units =
        Utf16Units(std::string_view(reinterpret_cast<const char*>(data), size));
    const size_t formatEnd = units.find(kArgumentSeparator);
    const std::wstring format = units.substr(0, formatEnd);

    std::vector<FormatArgument> arguments;
    size_t limit = format.size();
    for (size_t start = formatEnd;
         start != std::wstring::npos && arguments.size() < kMaxArguments;) {
        const size_t end = units.find(kArgumentSeparator, start + 1);
        const std::wstring piece = units.substr(start + 1, end - start - 1);
        arguments.push_back(ArgumentOf(piece));
        limit += arguments.back().Text().size() + kMaxPlaceholderGrowth;
        start = end;
    }

    const std::wstring text = kFormatters[arguments.size()](format, arguments);
    // However the format is written, the text is never longer than its parts allow.
    if (text.size() > limit) std::abort();
    PlaceholderKinds(format);
    return 0;
}
