#include "platform/servers/ocr/JsonAnswer.h"

#include <json/writer.h>

namespace pimlo::servers {

void SendJson(httplib::Response& response, const Json::Value& value, int status) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    response.status = status;
    response.set_content(Json::writeString(writer, value), "application/json;charset=utf-8");
}

}  // namespace pimlo::servers
