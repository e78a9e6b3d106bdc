#pragma once
// Answers of the VAT invoice endpoint: the invoice's string fields and the
// eight goods columns ("CommodityName" ... "CommodityTax", arrays of
// {"row", "word"}), read from the recognised lines.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pimlo::servers {

// The invoice is read in three parts: the buyer's block above the goods
// table, the goods rows between the table's header ("货物或应税劳务" or
// "项目名称") and its "合计" line, and the seller's block below "价税合计".
Json::Value InvoiceAnswer(const std::vector<std::string>& lines, uint64_t logId);

// One goods row: the name, then optional model and unit words, then the
// numbers (quantity, unit price, amount), the tax rate ("13%" or "免税")
// and the tax. Missing cells are empty.
struct GoodsRow {
    std::string name, type, unit, num, price, amount, taxRate, tax;
};
GoodsRow ParseGoodsRow(const std::string& line);

}  // namespace pimlo::servers
