#include "platform/servers/ocr/LicenceAnswers.h"

#include "platform/servers/ocr/FieldReader.h"

namespace pimlo::servers {

namespace {

constexpr char kDatePattern[] = R"((\d{4}-\d{2}-\d{2}))";

const std::vector<FieldRule> kDrivingRules = {
    {"证号", {"证号"}, R"((\d{17}[\dXx]))"},
    {"姓名", {"姓名"}, ""},
    {"性别", {"性别"}, ""},
    {"国籍", {"国籍"}, ""},
    {"住址", {"住址"}, ""},
    {"出生日期", {"出生日期"}, ""},
    {"初次领证日期", {"初次领证日期"}, ""},
    {"准驾车型", {"准驾车型"}, ""},
    {"有效起始日期", {"有效起始日期", "有效期限"}, kDatePattern},
    {"至", {"至"}, ""},
};

const std::vector<FieldRule> kVehicleRules = {
    {"号牌号码", {"号牌号码"}, ""},
    {"车辆类型", {"车辆类型"}, ""},
    {"所有人", {"所有人"}, ""},
    {"住址", {"住址"}, ""},
    {"使用性质", {"使用性质"}, ""},
    {"品牌型号", {"品牌型号"}, ""},
    // Seventeen letters and digits; I, O and Q are never used.
    {"车辆识别代号", {"车辆识别代号"}, R"(([A-HJ-NPR-Z0-9]{17}))"},
    {"发动机号码", {"发动机号码"}, ""},
    {"注册日期", {"注册日期"}, ""},
    {"发证日期", {"发证日期"}, ""},
};

const std::vector<FieldRule> kBusinessRules = {
    // Eighteen letters and digits.
    {"社会信用代码", {"统一社会信用代码", "社会信用代码"}, R"(([0-9A-Z]{18}))"},
    {"单位名称", {"名称"}, ""},
    {"类型", {"类型"}, ""},
    {"地址", {"住所", "地址", "经营场所"}, ""},
    {"法人", {"法定代表人", "负责人", "经营者"}, ""},
    {"注册资本", {"注册资本"}, ""},
    {"成立日期", {"成立日期"}, ""},
    {"有效期", {"营业期限"}, ""},
    {"经营范围", {"经营范围"}, ""},
    {"组成形式", {"组成形式"}, ""},
    {"证件编号", {"证照编号", "编号"}, ""},
};

const std::vector<FieldRule> kPassportRules = {
    {"护照号码", {"护照号码", "Passport No"}, R"(\b([A-Z]{1,2}\d{7,8})\b)"},
    {"姓名", {"姓名"}, ""},
    {"姓名拼音", {"Name"}, ""},
    {"性别", {"性别"}, ""},
    {"国籍", {"国籍"}, ""},
    {"国家码", {"国家码", "Country Code"}, ""},
    {"生日", {"出生日期"}, ""},
    {"出生地点", {"出生地点"}, ""},
    {"签发日期", {"签发日期"}, ""},
    {"签发机关", {"签发机关"}, ""},
    {"护照签发地点", {"签发地点"}, ""},
    {"有效期至", {"有效期至"}, ""},
    // The two machine-readable lines: 44 characters of capitals, digits and "<".
    {"MRZCode1", {}, R"(^(P[A-Z<][A-Z<]{42})$)"},
    {"MRZCode2", {}, R"(^([A-Z0-9<]{9}[0-9][A-Z<]{3}[A-Z0-9<]{31})$)"},
};

const std::vector<FieldRule>& RulesOf(LicenceKind kind) {
    switch (kind) {
        case LicenceKind::Driving:
            return kDrivingRules;
        case LicenceKind::Vehicle:
            return kVehicleRules;
        case LicenceKind::Business:
            return kBusinessRules;
        case LicenceKind::Passport:
            return kPassportRules;
    }
    return kDrivingRules;
}

}  // namespace

Json::Value LicenceAnswer(LicenceKind kind, const std::vector<std::string>& lines, uint64_t logId) {
    const std::vector<FieldRule>& rules = RulesOf(kind);
    const FieldReader reader(lines, LabelsOf(rules));
    Json::Value answer(Json::objectValue);
    answer["log_id"] = Json::UInt64(logId);
    answer["direction"] = 0;
    answer["words_result"] = FieldObjects(reader, rules);
    answer["words_result_num"] = static_cast<Json::UInt>(rules.size());
    return answer;
}

}  // namespace pimlo::servers
