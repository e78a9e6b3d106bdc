#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Language files are OLE compound files with one stream per section; each
// stream holds the section's "key=value" strings, scrambled (see
// LanguageScrambling.h). Every lookup opens and closes the file, so lookups
// share no state and any thread may make them.

enum class LanguageSection { Text, Message };

// The stream name of a section: "Text" or "Message".
const wchar_t* SectionStreamName(LanguageSection section);

// The code page the program's texts are written for; it picks the language
// file: 936 (Simplified Chinese) "cn.dat", 950 (Traditional Chinese) "tw.dat".
inline constexpr unsigned kLanguageCodePage = 936;

// installFolder + "\language\" + the file of kLanguageCodePage.
std::wstring LanguageFilePathFor(const std::wstring& installFolder);

// The language file that lookups read. Set once at start-up, before other
// threads start; empty (every lookup gives its default) until then.
void SetLanguageFilePath(std::wstring path);
std::wstring CurrentLanguageFilePath();

// The unscrambled stream of section in file; nothing when the file or the
// stream can not be opened or read whole (a cut file). Streams of any length
// up to 16 MiB are read.
std::optional<std::string> ReadLanguageStream(const std::wstring& file, LanguageSection section);

// The value of key in section of the current language file, cut to
// capacity - 1 characters; defaultValue when the file or the stream can not be
// opened, the stream is empty or the key is absent.
std::wstring ReadLanguageValue(LanguageSection section, std::wstring_view key,
                               std::wstring_view defaultValue, size_t capacity);
