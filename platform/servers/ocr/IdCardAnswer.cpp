#include "platform/servers/ocr/IdCardAnswer.h"

#include <algorithm>

#include "platform/servers/ocr/FieldReader.h"

namespace pimlo::servers {

namespace {

// Eighteen characters, the last a check digit that may be X.
constexpr char kIdNumberPattern[] = R"((\d{17}[\dXx]))";

const std::vector<FieldRule> kFrontRules = {
    {"姓名", {"姓名"}, ""}, {"性别", {"性别"}, ""},
    {"民族", {"民族"}, ""}, {"出生", {"出生"}, ""},
    {"住址", {"住址"}, ""}, {"公民身份号码", {"公民身份号码"}, kIdNumberPattern},
};

const std::vector<std::string> kBackLabels = {"签发机关", "有效期限"};

// How many of a side's labels must be seen to take the picture for that side.
constexpr int kFrontLabelsNeeded = 2;
constexpr int kBackLabelsNeeded = 1;

Json::Value FrontFields(const FieldReader& reader) {
    Json::Value fields = FieldObjects(reader, kFrontRules);
    fields["出生"]["words"] = CompactDate(fields["出生"]["words"].asString());
    // The recogniser may split the number into groups, or read more text
    // beside it: only the eighteen characters are kept.
    std::string number = fields["公民身份号码"]["words"].asString();
    number.erase(std::remove(number.begin(), number.end(), ' '), number.end());
    std::smatch match;
    static const std::regex kNumber(kIdNumberPattern);
    if (std::regex_search(number, match, kNumber)) fields["公民身份号码"]["words"] = match[1].str();
    return fields;
}

Json::Value BackFields(const FieldReader& reader) {
    Json::Value fields(Json::objectValue);
    fields["签发机关"]["words"] = reader.Read({"签发机关", {"签发机关"}, ""});
    // "有效期限 2010.01.01-2030.01.01", or "...-长期" for no end.
    const std::string period = reader.Read({"有效期限", {"有效期限"}, ""});
    static const std::regex kPeriod(
        R"((\d{4}\D{1,3}\d{1,2}\D{1,3}\d{1,2})\s*(?:-|—|至)+\s*(\d{4}\D{1,3}\d{1,2}\D{1,3}\d{1,2}|长期))");
    std::smatch match;
    const bool found = std::regex_search(period, match, kPeriod);
    const std::string start = found ? match[1].str() : period;
    const std::string end = found ? match[2].str() : "";
    fields["签发日期"]["words"] = CompactDate(start);
    fields["失效日期"]["words"] = CompactDate(end);
    return fields;
}

}  // namespace

Json::Value IdCardAnswer(const std::vector<std::string>& lines, bool front, uint64_t logId) {
    std::vector<std::string> labels = LabelsOf(kFrontRules);
    labels.insert(labels.end(), kBackLabels.begin(), kBackLabels.end());
    const FieldReader reader(lines, labels);

    const int frontLabels = reader.CountLabels(LabelsOf(kFrontRules));
    const int backLabels = reader.CountLabels(kBackLabels);
    const bool ownSide =
        front ? frontLabels >= kFrontLabelsNeeded : backLabels >= kBackLabelsNeeded;
    const bool otherSide =
        front ? backLabels >= kBackLabelsNeeded : frontLabels >= kFrontLabelsNeeded;

    Json::Value answer(Json::objectValue);
    answer["log_id"] = Json::UInt64(logId);
    answer["direction"] = 0;
    answer["image_status"] = ownSide ? "normal" : otherSide ? "reversed_side" : "non_idcard";
    // No check for copies or edited pictures is made.
    answer["risk_type"] = "normal";
    answer["edit_tool"] = "";
    answer["idcard_number_type"] = front ? 1 : 0;
    answer["words_result"] = front ? FrontFields(reader) : BackFields(reader);
    answer["words_result_num"] = static_cast<Json::UInt>(answer["words_result"].size());
    return answer;
}

}  // namespace pimlo::servers
