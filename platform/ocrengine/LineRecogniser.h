#pragma once

#include <string>
#include <vector>

struct Pix;

// The text lines of a picture in reading order (UTF-8), recognised with the
// LSTM models of the languages (Tesseract's "chi_sim+eng" form) read from
// dataFolder. Empty when the models can not be loaded, nothing is found, or
// recognition is not done within budgetMs milliseconds (a part of the page
// is no result).
std::vector<std::string> RecogniseLines(Pix* picture, const std::wstring& dataFolder,
                                        const char* languages, int budgetMs);
