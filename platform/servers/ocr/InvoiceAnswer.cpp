#include "platform/servers/ocr/InvoiceAnswer.h"

#include <regex>
#include <sstream>

#include "platform/servers/ocr/FieldReader.h"

namespace pimlo::servers {

namespace {

const std::vector<FieldRule> kHeadRules = {
    {"InvoiceCode", {"发票代码"}, R"(\b(\d{10}|\d{12})\b)"},
    {"InvoiceNum", {"发票号码"}, R"(\bNo\.?\s*(\d{8})\b)"},
    {"InvoiceDate", {"开票日期"}, ""},
    {"CheckCode", {"校验码"}, ""},
    {"Password", {"密码区"}, ""},
};

// The buyer's and the seller's blocks print the same labels.
std::vector<FieldRule> PartyRules(const std::string& party) {
    return {
        {party + "Name", {"名称"}, ""},
        {party + "RegisterNum", {"纳税人识别号"}, ""},
        {party + "Address", {"地址、电话", "地址,电话", "地址电话"}, ""},
        {party + "Bank", {"开户行及账号"}, ""},
    };
}

const std::vector<FieldRule> kFootRules = {
    {"Payee", {"收款人"}, ""},
    {"Checker", {"复核"}, ""},
    {"NoteDrawer", {"开票人"}, ""},
    {"Remarks", {"备注"}, ""},
};

constexpr const char* kGoodsColumns[] = {
    "CommodityName",  "CommodityType",   "CommodityUnit",    "CommodityNum",
    "CommodityPrice", "CommodityAmount", "CommodityTaxRate", "CommodityTax",
};

bool Holds(const std::string& line, const char* text) {
    return line.find(text) != std::string::npos;
}

bool IsNumber(const std::string& token) {
    // Multi-byte signs are alternatives, not members of a bracket: the
    // pattern works on bytes.
    static const std::regex kNumber(R"([-+]?(?:¥|￥)?\d+(?:[.,]\d+)*)");
    return std::regex_match(token, kNumber);
}

bool IsTaxRate(const std::string& token) {
    return (!token.empty() && token.back() == '%') || token == "免税" || token == "不征税";
}

std::vector<std::string> Slice(const std::vector<std::string>& lines, size_t begin, size_t end) {
    begin = std::min(begin, lines.size());
    end = std::min(std::max(end, begin), lines.size());
    return std::vector<std::string>(lines.begin() + begin, lines.begin() + end);
}

void ReadInto(Json::Value& fields, const std::vector<std::string>& lines,
              const std::vector<FieldRule>& rules) {
    const FieldReader reader(lines, LabelsOf(rules));
    for (const FieldRule& rule : rules) fields[rule.name] = reader.Read(rule);
}

// "合计 ¥100.00 ¥13.00" and "价税合计（大写） 壹佰壹拾叁元整 （小写）¥113.00".
void ReadTotals(Json::Value& fields, const std::vector<std::string>& lines) {
    static const std::regex kAmount(R"((?:¥|￥)?\s*(\d+\.\d{2}))");
    static const std::regex kInWords(
        R"(((?:零|壹|贰|叁|肆|伍|陆|柒|捌|玖|拾|佰|仟|万|亿|圆|元|角|分|整)+))");
    for (const std::string& line : lines) {
        std::vector<std::string> amounts;
        for (std::sregex_iterator it(line.begin(), line.end(), kAmount), end; it != end; ++it)
            amounts.push_back((*it)[1].str());
        if (Holds(line, "价税合计")) {
            std::smatch words;
            if (std::regex_search(line, words, kInWords)) fields["AmountInWords"] = words[1].str();
            if (!amounts.empty()) fields["AmountInFiguers"] = amounts.back();
        } else if (Holds(line, "合计") && fields["TotalAmount"].asString().empty()) {
            if (!amounts.empty()) fields["TotalAmount"] = amounts.front();
            if (amounts.size() > 1) fields["TotalTax"] = amounts[1];
        }
    }
}

void AppendGoods(Json::Value& fields, const std::vector<std::string>& rows) {
    for (const char* column : kGoodsColumns) fields[column] = Json::Value(Json::arrayValue);
    int number = 0;
    for (const std::string& line : rows) {
        const GoodsRow row = ParseGoodsRow(line);
        if (row.name.empty()) continue;
        const std::string cells[] = {row.name,  row.type,   row.unit,    row.num,
                                     row.price, row.amount, row.taxRate, row.tax};
        const std::string rowText = std::to_string(++number);
        for (size_t i = 0; i < std::size(kGoodsColumns); ++i) {
            Json::Value cell(Json::objectValue);
            cell["row"] = rowText;
            cell["word"] = cells[i];
            fields[kGoodsColumns[i]].append(cell);
        }
    }
}

}  // namespace

GoodsRow ParseGoodsRow(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    GoodsRow row;
    if (tokens.empty()) return row;
    row.name = tokens[0];
    std::vector<std::string> labels, before, after;
    bool rateSeen = false;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (IsTaxRate(tokens[i])) {
            row.taxRate = tokens[i];
            rateSeen = true;
        } else if (IsNumber(tokens[i])) {
            (rateSeen ? after : before).push_back(tokens[i]);
        } else if (before.empty() && !rateSeen) {
            labels.push_back(tokens[i]);
        }
    }
    if (labels.size() >= 2) row.type = labels[0];
    if (!labels.empty()) row.unit = labels.back();
    // Right to left: the amount is the last number before the rate.
    if (!before.empty()) row.amount = before.back();
    if (before.size() >= 2) row.price = before[before.size() - 2];
    if (before.size() >= 3) row.num = before[before.size() - 3];
    if (!after.empty()) row.tax = after.front();
    return row;
}

Json::Value InvoiceAnswer(const std::vector<std::string>& lines, uint64_t logId) {
    size_t header = lines.size(), total = lines.size(), grandTotal = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (header == lines.size() &&
            (Holds(lines[i], "货物或应税劳务") || Holds(lines[i], "项目名称")))
            header = i;
        else if (header < i && total == lines.size() && Holds(lines[i], "合计") &&
                 !Holds(lines[i], "价税合计"))
            total = i;
        if (Holds(lines[i], "价税合计")) grandTotal = i;
    }

    Json::Value fields(Json::objectValue);
    fields["InvoiceType"] = "";
    for (const std::string& line : lines) {
        if (Holds(line, "专用发票")) fields["InvoiceType"] = "专用发票";
        if (Holds(line, "普通发票")) fields["InvoiceType"] = "普通发票";
    }
    ReadInto(fields, lines, kHeadRules);
    ReadInto(fields, Slice(lines, 0, header), PartyRules("Purchaser"));
    ReadInto(fields, Slice(lines, grandTotal + 1, lines.size()), PartyRules("Seller"));
    ReadInto(fields, lines, kFootRules);
    fields["TotalAmount"] = "";
    fields["TotalTax"] = "";
    fields["AmountInWords"] = "";
    fields["AmountInFiguers"] = "";
    ReadTotals(fields, lines);
    AppendGoods(fields, Slice(lines, header + 1, total));

    Json::Value answer(Json::objectValue);
    answer["log_id"] = Json::UInt64(logId);
    answer["words_result"] = fields;
    answer["words_result_num"] = static_cast<Json::UInt>(fields.size());
    return answer;
}

}  // namespace pimlo::servers
