#pragma once
// Answers of the identity card endpoint, read from the recognised lines.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pimlo::servers {

// `front` is the portrait side ("姓名", "性别", "民族", "出生", "住址",
// "公民身份号码"), otherwise the emblem side ("签发机关", "签发日期",
// "失效日期"). "image_status" is "normal" when the side's labels are found,
// "reversed_side" when the other side's are, and "non_idcard" when neither.
Json::Value IdCardAnswer(const std::vector<std::string>& lines, bool front, uint64_t logId);

}  // namespace pimlo::servers
