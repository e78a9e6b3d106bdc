#include "app/LanguageText.h"

#include <cstring>

#include "app/LanguageFile.h"
#include "common/DebugTrace.h"
#include "common/StringConversion.h"

namespace {

// Room of a text with its terminating zero.
constexpr size_t kTextCapacity = 260;

std::wstring TextOf(std::wstring_view name) {
    return ReadLanguageValue(LanguageSection::Text, name, L"", kTextCapacity);
}

bool IsSecretKey(std::wstring_view name) {
    for (const TextKey& secret : {TextKeys::AAI, TextKeys::AAK, TextKeys::ASK, TextKeys::SK}) {
        if (name == secret.name) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring Text(const TextKey& key) { return TextOf(key.name); }

std::wstring InvoiceFieldLabel(std::wstring_view field) {
    return IsSecretKey(field) ? std::wstring() : TextOf(field);
}

std::string ByteText(const TextKey& key) { return WideToAnsi(Text(key)); }

std::wstring FormattedText(const TextKey& key, std::initializer_list<FormatArgument> arguments) {
    if (std::strlen(key.arguments) != arguments.size()) {
        DebugTrace(L"[language] %ls is formatted with %u arguments, its list says \"%hs\".",
                   key.name, static_cast<unsigned>(arguments.size()), key.arguments);
    }
    return FormatText(Text(key), arguments);
}
