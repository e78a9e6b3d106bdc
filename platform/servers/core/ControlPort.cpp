#include "platform/servers/core/ControlPort.h"

#include <json/reader.h>
#include <json/writer.h>

#include <memory>
#include <vector>

namespace pimlo::servers {

namespace {

constexpr size_t kMaxScriptBytes = 1 << 20;

void AnswerJson(httplib::Response& response, const Json::Value& value, int status = 200) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    response.status = status;
    response.set_content(Json::writeString(builder, value), "application/json");
}

void AnswerProblem(httplib::Response& response, const std::string& problem) {
    Json::Value body(Json::objectValue);
    body["error"] = problem;
    AnswerJson(response, body, 400);
}

// Splits the posted text into the script objects it holds, each rewritten as
// its own JSON text; empty when the text is not JSON.
std::vector<std::string> ScriptTexts(const std::string& text) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) return {};
    Json::StreamWriterBuilder writer;
    std::vector<std::string> texts;
    if (root.isArray()) {
        for (const auto& item : root) texts.push_back(Json::writeString(writer, item));
    } else {
        texts.push_back(Json::writeString(writer, root));
    }
    return texts;
}

}  // namespace

void MountControlPort(httplib::Server& server, ControlBoard& board) {
    server.set_payload_max_length(kMaxScriptBytes);

    server.Post("/script", [&board](const httplib::Request& request, httplib::Response& response) {
        std::vector<ScriptedAnswer> scripts;
        for (const std::string& text : ScriptTexts(request.body)) {
            std::optional<ScriptedAnswer> script = ScriptFromJson(text);
            if (!script) return AnswerProblem(response, "each script needs a \"host\"");
            scripts.push_back(std::move(*script));
        }
        if (scripts.empty()) return AnswerProblem(response, "expected a script object or array");
        for (auto& script : scripts) board.Script(std::move(script));
        Json::Value body(Json::objectValue);
        body["queued"] = static_cast<Json::UInt64>(scripts.size());
        AnswerJson(response, body);
    });

    server.Get("/requests", [&board](const httplib::Request& request, httplib::Response& response) {
        if (!request.has_param("host")) return AnswerProblem(response, "missing \"host\"");
        AnswerJson(response, board.Requests(request.get_param_value("host")));
    });

    server.Get("/timings", [&board](const httplib::Request& request, httplib::Response& response) {
        if (!request.has_param("host")) return AnswerProblem(response, "missing \"host\"");
        AnswerJson(response, board.HandlingTimes(request.get_param_value("host")));
    });

    // A reset carries nothing. Posted without a body and without a length, it
    // is answered at once instead of after waiting for a body that never
    // comes; a body that is announced is read and ignored, so the connection
    // stays usable.
    server.Post("/reset", [&board](const httplib::Request& request, httplib::Response& response,
                                   const httplib::ContentReader& content) {
        if (request.has_header("Content-Length") ||
            request.get_header_value("Transfer-Encoding") == "chunked") {
            content([](const char*, size_t) { return true; });
        }
        board.Reset();
        AnswerJson(response, Json::Value(Json::objectValue));
    });
}

}  // namespace pimlo::servers
