#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// One argument of a language text used as a format: a number or a text.
class FormatArgument {
public:
    FormatArgument(int value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(long value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(long long value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(unsigned value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(unsigned long value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(unsigned long long value) : value_(static_cast<int64_t>(value)) {}
    FormatArgument(const wchar_t* text) : value_(std::wstring(text ? text : L"")) {}
    FormatArgument(std::wstring text) : value_(std::move(text)) {}
    FormatArgument(std::wstring_view text) : value_(std::wstring(text)) {}

    bool IsNumber() const { return std::holds_alternative<int64_t>(value_); }
    int64_t Number() const;
    // A number as decimal text, a text as it is.
    std::wstring Text() const;

private:
    std::variant<int64_t, std::wstring> value_;
};

// Fills the printf-style placeholders of format with the arguments in order.
// Language texts come from files that anyone can edit, so nothing here trusts
// the format: a number placeholder (d, i, u, x, X, o, c) given a text shows the
// text, a text placeholder (s, S) given a number shows it in decimal, a
// placeholder without an argument and one this function does not know stay as
// written, and extra arguments are ignored. Flags ("-+ #0"), width and
// precision are honoured; length modifiers (h, l, ll, I64 ...) are accepted and
// have no effect. "%%" gives "%".
std::wstring FormatText(std::wstring_view format, std::initializer_list<FormatArgument> arguments);

// The kinds of the placeholders of format in order: 'd' for a number, 's' for
// a text, '?' for one that FormatText does not know. "%%" is not a placeholder.
std::string PlaceholderKinds(std::wstring_view format);
