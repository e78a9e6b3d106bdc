#pragma once
// The cells of a table picture, found from the recogniser's word boxes:
// words whose vertical middles fall within one band form a row, words close
// together within a row form a cell, and cells whose horizontal extents
// overlap across rows share a column.

#include <string>
#include <vector>

#include "platform/servers/ocr/Recogniser.h"

namespace pimlo::servers {

// rows × columns; every row has the same number of columns, empty cells are
// empty strings; no words give no rows.
using TableGrid = std::vector<std::vector<std::string>>;

TableGrid BuildTable(const std::vector<RecognisedWord>& words);

}  // namespace pimlo::servers
