#include "platform/servers/ocr/TableAnswer.h"

#include <json/writer.h>

#include "platform/servers/ocr/ApiErrors.h"

namespace pimlo::servers {

namespace {

// {"form_num": 1, "forms": [{"body": [{"row": [r], "column": [c], "word"}]}]}
std::string CellsAsJson(const TableGrid& grid) {
    Json::Value body(Json::arrayValue);
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t c = 0; c < grid[r].size(); ++c) {
            if (grid[r][c].empty()) continue;
            Json::Value cell(Json::objectValue);
            cell["row"].append(static_cast<Json::UInt>(r));
            cell["column"].append(static_cast<Json::UInt>(c));
            cell["word"] = grid[r][c];
            body.append(cell);
        }
    }
    Json::Value table(Json::objectValue);
    table["form_num"] = 1;
    table["forms"][0]["body"] = body;
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, table);
}

}  // namespace

Json::Value SubmitAnswer(const std::string& requestId, uint64_t logId) {
    Json::Value answer(Json::objectValue);
    answer["result"][0]["request_id"] = requestId;
    answer["log_id"] = Json::UInt64(logId);
    return answer;
}

Json::Value PollAnswer(const TableStatus& status, const std::string& requestId,
                       const std::string& resultType, const std::string& spreadsheetUrl,
                       uint64_t logId) {
    if (status.state == TableState::Failed) return ErrorAnswer(kTableRecognizeError, logId);
    Json::Value answer(Json::objectValue);
    Json::Value& result = answer["result"];
    result["request_id"] = requestId;
    result["result_data"] = "";
    switch (status.state) {
        case TableState::Queued:
            result["ret_code"] = 1;
            result["ret_msg"] = "未开始";
            result["percent"] = 0;
            break;
        case TableState::Running:
            result["ret_code"] = 2;
            result["ret_msg"] = "进行中";
            result["percent"] = 50;
            break;
        default:
            result["ret_code"] = 3;
            result["ret_msg"] = "已完成";
            result["percent"] = 100;
            result["result_data"] =
                resultType == "json" ? CellsAsJson(status.grid) : spreadsheetUrl;
    }
    answer["log_id"] = Json::UInt64(logId);
    return answer;
}

}  // namespace pimlo::servers
