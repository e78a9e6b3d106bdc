#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "app/LanguageKeys.h"
#include "app/TextFormat.h"

// Texts of the "Text" section of the current language file; empty when the
// file or the key is missing. Values longer than 259 characters are cut.
std::wstring Text(const TextKey& key);

// The label of an invoice field, looked up by the field name the cloud service
// sends. The credentials and the signing text share the section with the
// labels; a field named like one of them gets no label, so an answer can never
// make the program show them.
std::wstring InvoiceFieldLabel(std::wstring_view field);

// Text(key) in the thread's ANSI code page, for texts that go into requests
// (the service credentials, the signing text).
std::string ByteText(const TextKey& key);

// Text(key) used as a format with the arguments (see FormatText).
std::wstring FormattedText(const TextKey& key, std::initializer_list<FormatArgument> arguments);
