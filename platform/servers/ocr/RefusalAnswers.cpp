#include "platform/servers/ocr/RefusalAnswers.h"

#include <algorithm>

#include "platform/servers/ocr/ApiErrors.h"
#include "platform/servers/ocr/JsonAnswer.h"
#include "platform/servers/ocr/LogId.h"

namespace pimlo::servers {

namespace {

bool StartsWithAny(const std::string& path, const std::vector<std::string>& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const std::string& prefix) { return path.rfind(prefix, 0) == 0; });
}

}  // namespace

void AnswerRefusalsAsApiErrors(httplib::Server& server, std::vector<std::string> pathPrefixes) {
    server.set_error_handler(httplib::Server::HandlerWithResponse(
        [prefixes = std::move(pathPrefixes)](const httplib::Request& request,
                                             httplib::Response& response) {
            // Routes' own error answers already have a body.
            if (!response.body.empty() || !StartsWithAny(request.path, prefixes))
                return httplib::Server::HandlerResponse::Unhandled;
            int64_t code = kInternalError;
            if (response.status == 413) code = kImageSizeError;
            if (response.status == 404 || response.status == 405) code = kUnsupportedMethod;
            SendJson(response, ErrorAnswer(code, NewLogId()), response.status);
            return httplib::Server::HandlerResponse::Handled;
        }));
}

}  // namespace pimlo::servers
