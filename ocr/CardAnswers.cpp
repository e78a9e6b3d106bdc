#include "ocr/CardAnswers.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "app/LanguageText.h"
#include "common/StringConversion.h"
#include "ocr/CStautsException.h"

namespace {

// Separates a field's label from its value.
constexpr wchar_t kFieldSeparator[] = L"\uFF1A";

struct RefusedStatus {
    const char* status;
    MessageKeyConstant key;
};
constexpr RefusedStatus kRefusedIdCardStatuses[] = {
    {"reversed_side", MessageKeys::ExceptIdcardRS},
    {"non_idcard", MessageKeys::ExceptIdcardNoIdcard},
    {"blurred", MessageKeys::ExceptIdcardBlurred},
    {"over_exposure", MessageKeys::ExceptIdcardOE},
    {"unknown", MessageKeys::ExceptIdcardUnknow},
};

// The goods columns of an invoice, in the order the "Commodity" row takes them.
constexpr std::array<const char*, 8> kGoodsColumns = {
    "CommodityName",  "CommodityType",   "CommodityNum",     "CommodityUnit",
    "CommodityPrice", "CommodityAmount", "CommodityTaxRate", "CommodityTax",
};
using GoodsColumns = std::array<std::vector<std::wstring>, kGoodsColumns.size()>;

int GoodsColumnIndex(const std::string& name) {
    for (size_t i = 0; i < kGoodsColumns.size(); ++i) {
        if (name == kGoodsColumns[i]) return static_cast<int>(i);
    }
    return -1;
}

const std::wstring& Cell(const GoodsColumns& columns, size_t column, size_t row) {
    static const std::wstring empty;
    return row < columns[column].size() ? columns[column][row] : empty;
}

void AppendGoodsRows(const GoodsColumns& columns, RecognitionResult& result) {
    const std::vector<std::wstring>& names = columns[0];
    for (size_t row = 0; row < names.size() && !names[row].empty(); ++row) {
        std::wstring line =
            FormattedText(TextKeys::Commodity,
                          {Cell(columns, 0, row), Cell(columns, 1, row), Cell(columns, 2, row),
                           Cell(columns, 3, row), Cell(columns, 4, row), Cell(columns, 5, row),
                           Cell(columns, 6, row), Cell(columns, 7, row)});
        if (!line.empty()) result.lines.push_back(std::move(line));
    }
}

}  // namespace

void ReadFieldLines(const Json::Value& answer, RecognitionResult& result) {
    const Json::Value& fields = answer["words_result"];
    for (const std::string& name : fields.getMemberNames()) {
        result.lines.push_back(Utf8ToWide(name) + kFieldSeparator +
                               Utf8ToWide(fields[name]["words"].asString()));
    }
}

void CheckIdCardPicture(const Json::Value& answer, RecognitionResult& result) {
    result.imageStatus = answer["image_status"].asString();
    result.riskType = answer["risk_type"].asString();
    result.editTool = answer["edit_tool"].asString();
    for (const RefusedStatus& refused : kRefusedIdCardStatuses) {
        if (result.imageStatus == refused.status) throw CStautsException(refused.key);
    }
}

void ReadBankCard(const Json::Value& answer, RecognitionResult& result) {
    const Json::Value& card = answer["result"];
    result.bankCardNumber = card["bank_card_number"].asString();
    result.bankName = Utf8ToWide(card["bank_name"].asString());
    result.bankCardType = card["bank_card_type"].asInt();
}

void ReadInvoice(const Json::Value& answer, RecognitionResult& result) {
    const Json::Value& fields = answer["words_result"];
    GoodsColumns goods;
    for (const std::string& name : fields.getMemberNames()) {
        const Json::Value& value = fields[name];
        if (value.isString()) {
            const std::string text = value.asString();
            if (name.empty() || text.empty()) continue;
            const std::wstring label = InvoiceFieldLabel(Utf8ToWide(name));
            if (!label.empty()) result.lines.push_back(label + kFieldSeparator + Utf8ToWide(text));
        } else if (value.isArray()) {
            const int column = GoodsColumnIndex(name);
            if (column < 0) continue;
            for (const Json::Value& cell : value) {
                goods[column].push_back(Utf8ToWide(cell["word"].asString()));
            }
        }
    }
    AppendGoodsRows(goods, result);
}
