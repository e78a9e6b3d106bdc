#include "platform/servers/ocr/BankCardAnswer.h"

#include <regex>

namespace pimlo::servers {

namespace {

struct CardIssuer {
    const char* prefix;
    const char* bank;
};

// First digits of a few widely issued cards, for cards whose bank name is
// printed as a logo only.
const CardIssuer kIssuers[] = {
    {"622202", "中国工商银行"}, {"621226", "中国工商银行"}, {"622848", "中国农业银行"},
    {"621700", "中国建设银行"}, {"436742", "中国建设银行"}, {"621661", "中国银行"},
    {"456351", "中国银行"},     {"622262", "交通银行"},     {"622588", "招商银行"},
    {"621483", "招商银行"},
};

std::vector<std::string> NumberCandidates(const std::vector<std::string>& lines) {
    // Digits in groups separated by single spaces, as cards print them.
    static const std::regex kDigitRun(R"(\d(?:\d| (?=\d))+)");
    std::vector<std::string> candidates;
    for (const std::string& line : lines) {
        for (std::sregex_iterator it(line.begin(), line.end(), kDigitRun), end; it != end; ++it) {
            std::string digits;
            for (char c : it->str())
                if (c != ' ') digits += c;
            if (digits.size() >= 15 && digits.size() <= 19) candidates.push_back(digits);
        }
    }
    return candidates;
}

std::string Grouped(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % 4 == 0) out += ' ';
        out += digits[i];
    }
    return out;
}

std::string BankName(const std::vector<std::string>& lines, const std::string& number) {
    static const std::regex kPrintedName(R"(([^\s\d]*银行))");
    std::smatch match;
    for (const std::string& line : lines)
        if (std::regex_search(line, match, kPrintedName)) return match[1].str();
    for (const CardIssuer& issuer : kIssuers)
        if (number.rfind(issuer.prefix, 0) == 0) return issuer.bank;
    return {};
}

int CardType(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.find("信用卡") != std::string::npos || line.find("贷记卡") != std::string::npos ||
            line.find("CREDIT") != std::string::npos)
            return 2;
        if (line.find("借记卡") != std::string::npos || line.find("储蓄卡") != std::string::npos ||
            line.find("DEBIT") != std::string::npos)
            return 1;
    }
    return 0;
}

}  // namespace

bool PassesLuhn(const std::string& digits) {
    int sum = 0;
    bool twice = false;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int value = *it - '0';
        if (twice) value = value * 2 > 9 ? value * 2 - 9 : value * 2;
        sum += value;
        twice = !twice;
    }
    return !digits.empty() && sum % 10 == 0;
}

std::optional<Json::Value> BankCardAnswer(const std::vector<std::string>& lines, uint64_t logId) {
    const std::vector<std::string> candidates = NumberCandidates(lines);
    if (candidates.empty()) return std::nullopt;
    std::string number = candidates.front();
    for (const std::string& candidate : candidates) {
        if (PassesLuhn(candidate)) {
            number = candidate;
            break;
        }
    }
    static const std::regex kValidDate(R"((\d{2}/\d{2}))");
    std::string validDate = "NO VALID";
    std::smatch match;
    for (const std::string& line : lines)
        if (std::regex_search(line, match, kValidDate)) validDate = match[1].str();

    Json::Value answer(Json::objectValue);
    answer["log_id"] = Json::UInt64(logId);
    Json::Value& result = answer["result"];
    result["bank_card_number"] = Grouped(number);
    result["valid_date"] = validDate;
    result["bank_card_type"] = CardType(lines);
    result["bank_name"] = BankName(lines, number);
    return answer;
}

}  // namespace pimlo::servers
