#pragma once

#include <string>

#include "platform/servers/ocr/TableBuilder.h"

namespace pimlo::servers {

// Writes the grid as the first sheet of an Office Open XML workbook at
// `path`: plain decimal numbers (without leading zeros) as numbers, all
// else as text. False when the file can not be written.
bool WriteSpreadsheet(const TableGrid& grid, const std::string& path);

}  // namespace pimlo::servers
