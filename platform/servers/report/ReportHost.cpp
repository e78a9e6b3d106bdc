#include "platform/servers/report/ReportHost.h"

#include <json/reader.h>
#include <json/writer.h>

#include <memory>
#include <optional>

#include "platform/servers/core/HostRouter.h"
#include "platform/servers/report/BasicCredentials.h"
#include "platform/servers/report/ReportCipher.h"
#include "platform/servers/report/ReportStore.h"

namespace pimlo::servers {

namespace {

// Route patterns are regular expressions, hence the escaped dots.
constexpr char kEventPath[] = "/action\\.ashx";
constexpr char kUsagePath[] = "/ocr\\.ashx";

// The credentials the program sends with usage reports.
constexpr char kUsageUser[] = "abcd";
constexpr char kUsagePassword[] = "wxyz";

// A report is a few hundred bytes of JSON; this leaves ample room and
// refuses anything that is plainly not a report before reading it.
constexpr size_t kMaxBodyBytes = 64 * 1024;

constexpr char kRefused[] = "0";

void Answer(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text, "text/plain");
}

// Decrypts, reads and stores one report; the row id, or 0 when the body is
// not a report of this kind.
template <typename Read, typename Add>
int64_t Accept(const std::string& body, Read read, Add add) {
    std::optional<std::string> json = DecryptReport(body);
    if (!json) return 0;
    auto report = read(*json);
    if (!report) return 0;
    return add(*report, *json);
}

}  // namespace

ReportHost::ReportHost(ReportSettings settings, ControlBoard& board)
    : board_(board), store_(std::make_unique<ReportStore>(settings.databasePath)) {}

ReportHost::~ReportHost() = default;

void ReportHost::Mount(httplib::Server& server) {
    server.set_payload_max_length(kMaxBodyBytes);
    // Errors that httplib answers itself (a body over the limit, a request it
    // cannot read, an unknown path) carry the host's refusal too.
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) response.set_content(kRefused, "text/plain");
    });

    HostRouter router(server, board_, "report");
    router.Post(kEventPath, [this](const httplib::Request& request, httplib::Response& response,
                                   const ScriptedAnswer*) {
        int64_t id = Accept(request.body, ReadEventReport,
                            [this](const EventReport& report, const std::string& json) {
                                return store_->AddEvent(report, json);
                            });
        Answer(response, 200, std::to_string(id));
    });
    router.Post(kUsagePath, [this](const httplib::Request& request, httplib::Response& response,
                                   const ScriptedAnswer*) {
        if (!HasBasicCredentials(request, kUsageUser, kUsagePassword)) {
            response.set_header("WWW-Authenticate", "Basic realm=\"report\"");
            return Answer(response, 401, kRefused);
        }
        int64_t id = Accept(request.body, ReadUsageReport,
                            [this](const UsageReport& report, const std::string& json) {
                                return store_->AddUsage(report, json);
                            });
        Answer(response, 200, std::to_string(id));
    });

    auto refuse = [](const httplib::Request&, httplib::Response& response, const ScriptedAnswer*) {
        Answer(response, 405, kRefused);
    };
    router.Get(kEventPath, refuse);
    router.Get(kUsagePath, refuse);
}

void ReportHost::MountControl(httplib::Server& control) {
    control.Get("/reports", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string kind = request.get_param_value("kind");
        if (kind != "event" && kind != "usage") {
            response.status = 400;
            return response.set_content("{\"error\":\"kind is event or usage\"}",
                                        "application/json");
        }
        Json::Value reports(Json::arrayValue);
        Json::CharReaderBuilder builder;
        for (const std::string& json : store_->Received(kind == "usage")) {
            Json::Value report;
            std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
            if (reader->parse(json.data(), json.data() + json.size(), &report, nullptr))
                reports.append(report);
        }
        response.set_content(Json::writeString(Json::StreamWriterBuilder(), reports),
                             "application/json");
    });
}

}  // namespace pimlo::servers
