#pragma once

#include <cstdint>
#include <string>

// The streams of a language file are scrambled so that their texts, the
// service credentials among them, can not be read from the file as they stand.
// Every complete 32-bit little-endian word that is followed by at least one
// more byte has its low 16 bits XOR-ed with kLanguageMask (its high half stays);
// the bytes after the last such word stay as they are. The scheme is its own
// inverse: scrambling twice gives the original bytes.
inline constexpr uint16_t kLanguageMask = 0x5C3A;

void ScrambleLanguageStream(std::string& bytes);
