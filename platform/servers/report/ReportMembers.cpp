#include "platform/servers/report/ReportMembers.h"

#include <json/reader.h>
#include <json/value.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <vector>

namespace pimlo::servers {

namespace {

// The fixed ids the program puts into every event report.
constexpr int64_t kApplicationId = 21;
constexpr int64_t kInterfaceId = 11;
// The source id of every usage report.
constexpr int64_t kUsageSourceId = 3;

// A whole JSON object with nothing after it; nullopt otherwise.
std::optional<Json::Value> ParseObject(const std::string& text) {
    Json::CharReaderBuilder builder;
    Json::CharReaderBuilder::strictMode(&builder.settings_);
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) return std::nullopt;
    if (!root.isObject()) return std::nullopt;
    return root;
}

bool HasExactlyMembers(const Json::Value& object, std::vector<std::string> names) {
    std::vector<std::string> present = object.getMemberNames();
    std::sort(present.begin(), present.end());
    std::sort(names.begin(), names.end());
    return present == names;
}

// Only numbers written without fraction or exponent; jsoncpp would also
// hand out 3.0 as an integer.
bool IsInteger(const Json::Value& value) {
    return value.type() == Json::intValue || value.type() == Json::uintValue;
}

bool IsIntegerIn(const Json::Value& value, int64_t low, int64_t high) {
    return IsInteger(value) && value.isInt64() && value.asInt64() >= low && value.asInt64() <= high;
}

bool IsMachineCode(const std::string& text) {
    static const std::regex kPattern("([0-9A-F]{16})?");
    return std::regex_match(text, kPattern);
}

bool IsDateKey(const std::string& text) {
    static const std::regex kPattern("[1-9][0-9]{3}-[1-9][0-9]?-[1-9][0-9]?");
    return std::regex_match(text, kPattern);
}

}  // namespace

std::optional<EventReport> ReadEventReport(const std::string& json) {
    std::optional<Json::Value> root = ParseObject(json);
    if (!root || !HasExactlyMembers(*root, {"AdId", "AppApiId", "AppId", "ChannelCode",
                                            "MachineCode", "Os", "OsBit", "TypeId", "Version"}))
        return std::nullopt;
    const Json::Value& r = *root;
    // The program reads the advertising id as a signed 64-bit number above 0,
    // or sends 0, so the unsigned member never exceeds the signed range.
    if (!IsIntegerIn(r["AdId"], 0, INT64_MAX) ||
        !IsIntegerIn(r["AppApiId"], kInterfaceId, kInterfaceId) ||
        !IsIntegerIn(r["AppId"], kApplicationId, kApplicationId) ||
        !IsIntegerIn(r["TypeId"], 1, 4) || !r["ChannelCode"].isString() ||
        !r["MachineCode"].isString() || !r["Os"].isString() || !r["Version"].isString())
        return std::nullopt;
    const Json::Value& osBit = r["OsBit"];
    if (!IsIntegerIn(osBit, 32, 32) && !IsIntegerIn(osBit, 64, 64)) return std::nullopt;
    if (!IsMachineCode(r["MachineCode"].asString())) return std::nullopt;

    EventReport report;
    report.adId = r["AdId"].asInt64();
    report.channelCode = r["ChannelCode"].asString();
    report.machineCode = r["MachineCode"].asString();
    report.os = r["Os"].asString();
    report.osBit = osBit.asInt64();
    report.typeId = r["TypeId"].asInt64();
    report.version = r["Version"].asString();
    return report;
}

std::optional<UsageReport> ReadUsageReport(const std::string& json) {
    std::optional<Json::Value> root = ParseObject(json);
    if (!root ||
        !HasExactlyMembers(*root, {"Account", "AgentId", "Date", "SourceId", "Times", "TypeId"}))
        return std::nullopt;
    const Json::Value& r = *root;
    if (!r["Account"].isString() || r["Account"].asString().empty() ||
        !IsIntegerIn(r["AgentId"], INT64_MIN, INT64_MAX) || !r["Date"].isString() ||
        !IsDateKey(r["Date"].asString()) ||
        !IsIntegerIn(r["SourceId"], kUsageSourceId, kUsageSourceId) ||
        !IsIntegerIn(r["Times"], 1, INT64_MAX) || !IsIntegerIn(r["TypeId"], 1, 4))
        return std::nullopt;

    UsageReport report;
    report.account = r["Account"].asString();
    report.agentId = r["AgentId"].asInt64();
    report.date = r["Date"].asString();
    report.times = r["Times"].asInt64();
    report.typeId = r["TypeId"].asInt64();
    return report;
}

}  // namespace pimlo::servers
