#pragma once

#include <string>
#include <vector>

// The recogniser's words of one line as one text (UTF-8), without the blanks
// around each word. Words are separated by one space, except next to Chinese
// characters and full-width forms: the recogniser reports each of those as a
// word of its own, and Chinese text is written without spaces.
std::string JoinWords(const std::vector<std::string>& words);

// The lines as one text, each ended by CR LF but the last, which is how the
// program's edit views break lines. Empty lines are left out.
std::string JoinLines(const std::vector<std::string>& lines);
