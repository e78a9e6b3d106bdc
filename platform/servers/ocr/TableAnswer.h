#pragma once
// Answers of the asynchronous table endpoints.

#include <json/value.h>

#include <cstdint>
#include <string>

#include "platform/servers/ocr/TableJobs.h"

namespace pimlo::servers {

// {"result": [{"request_id": id}], "log_id"}
Json::Value SubmitAnswer(const std::string& requestId, uint64_t logId);

// {"result": {"ret_code", "ret_msg", "percent", "request_id", "result_data"},
// "log_id"}: ret_code 1 (queued) or 2 (being built) with empty result_data,
// then 3 with the spreadsheet's address (`spreadsheetUrl`) for "excel", or
// the cells as JSON text for "json". A table that could not be built gives
// error 282810.
Json::Value PollAnswer(const TableStatus& status, const std::string& requestId,
                       const std::string& resultType, const std::string& spreadsheetUrl,
                       uint64_t logId);

}  // namespace pimlo::servers
