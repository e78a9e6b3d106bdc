#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/LanguageSource.h"

// The stream of one section as the program reads it: every entry as the
// zero-terminated UTF-16LE string "key=value", then an empty string, the
// whole scrambled.
std::string EncodeLanguageSection(const std::vector<LanguageEntry>& entries);

// A stream name and the bytes the stream holds.
using LanguageStream = std::pair<std::wstring, std::string>;

// Writes a compound file holding exactly these streams. The file is built
// beside path and then moved over it, so an existing file is replaced whole or
// not at all. False with a description in error on failure.
bool WriteLanguageStreams(const std::wstring& path, const std::vector<LanguageStream>& streams,
                          std::string& error);

// Encodes every section of source and writes the language file.
bool WriteLanguageFile(const std::wstring& path, const LanguageSource& source, std::string& error);
