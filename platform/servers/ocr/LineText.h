#pragma once

#include <string>
#include <vector>

namespace pimlo::servers {

// The recogniser's words of one line as one text. Words are separated by a
// space, except next to Chinese characters and full-width punctuation, which
// are written without spaces (the recogniser reports each Chinese character
// or short run as a word of its own).
std::string JoinWords(const std::vector<std::string>& words);

// True when the UTF-8 text's first (or last) character is a CJK character or
// a full-width form.
bool StartsWide(const std::string& text);
bool EndsWide(const std::string& text);

}  // namespace pimlo::servers
