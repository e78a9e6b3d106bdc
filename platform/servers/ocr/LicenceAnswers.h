#pragma once
// Answers of the licence and passport endpoints: {"words_result": {"<field>":
// {"words": value}}, "words_result_num", "log_id"}, with the provider's field
// names, read from the recognised lines by their printed labels.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pimlo::servers {

enum class LicenceKind { Driving, Vehicle, Business, Passport };

Json::Value LicenceAnswer(LicenceKind kind, const std::vector<std::string>& lines, uint64_t logId);

}  // namespace pimlo::servers
