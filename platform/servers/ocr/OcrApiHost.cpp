#include "platform/servers/ocr/OcrApiHost.h"

#include <fstream>
#include <sstream>
#include <thread>

#include "platform/servers/core/HostRouter.h"
#include "platform/servers/ocr/ApiErrors.h"
#include "platform/servers/ocr/ApiPaths.h"
#include "platform/servers/ocr/DailyQuota.h"
#include "platform/servers/ocr/EndpointAnswers.h"
#include "platform/servers/ocr/FormFields.h"
#include "platform/servers/ocr/JsonAnswer.h"
#include "platform/servers/ocr/LogId.h"
#include "platform/servers/ocr/Picture.h"
#include "platform/servers/ocr/Recogniser.h"
#include "platform/servers/ocr/RefusalAnswers.h"
#include "platform/servers/ocr/TableAnswer.h"
#include "platform/servers/ocr/TableJobs.h"
#include "platform/servers/ocr/TokenGrant.h"
#include "platform/servers/ocr/TokenStore.h"

namespace pimlo::servers {

namespace {

constexpr char kHostName[] = "ocr";
constexpr char kTablePath[] = "/tables/";
constexpr char kSpreadsheetType[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
// Tables hold Chinese headings and Latin figures.
constexpr char kTableLanguages[] = "chi_sim+eng";

// Route patterns are regular expressions: the dots of a path ("/rest/2.0/")
// are escaped so that it matches only itself.
std::string RoutePattern(const std::string& path) {
    std::string pattern;
    for (char c : path) {
        if (c == '.') pattern += '\\';
        pattern += c;
    }
    return pattern;
}

std::string Field(const FormFields& fields, const std::string& name) {
    auto found = fields.find(name);
    return found == fields.end() ? std::string() : found->second;
}

}  // namespace

struct OcrApiHost::State {
    State(OcrApiSettings s)
        : settings(std::move(s)),
          quota(kDailyRequestLimit),
          recogniser(std::thread::hardware_concurrency()),
          tables(settings.dataDir + "/tables", [this](Pix* picture) {
              std::optional<Recognition> read = recogniser.Recognise(picture, kTableLanguages);
              return read ? std::optional<TableGrid>(BuildTable(read->words)) : std::nullopt;
          }) {}

    // The refusals every API request may meet before its own work: a
    // scripted error, a bad token, the day's allowance used up.
    int64_t Refusal(const FormFields& fields, const ScriptedAnswer* script, bool counts) {
        if (script && script->errorCode) return *script->errorCode;
        const TokenState token = tokens.Check(Field(fields, "access_token"));
        if (token == TokenState::Unknown) return kInvalidToken;
        if (token == TokenState::Expired || (script && script->expiredToken)) return kExpiredToken;
        if (counts && !quota.Take()) return kDailyLimitReached;
        return 0;
    }

    void Recognise(const RecognitionEndpoint& endpoint, const httplib::Request& request,
                   httplib::Response& response, const ScriptedAnswer* script) {
        const FormFields fields = RequestFields(request);
        const uint64_t logId = NewLogId();
        int64_t error = Refusal(fields, script, true);
        if (!error) error = endpoint.check(fields);
        const std::optional<std::string> languages = endpoint.languages(fields);
        if (!error && !languages) error = kInvalidParameter;
        PictureRead picture;
        if (!error) picture = ReadPicture(fields);
        if (!error) error = picture.error;
        if (error) return SendJson(response, ErrorAnswer(error, logId));

        const std::optional<Recognition> read =
            recogniser.Recognise(picture.picture.get(), *languages);
        if (!read) return SendJson(response, ErrorAnswer(kInternalError, logId));
        SendJson(response, endpoint.answer(fields, *read, logId));
    }

    void SubmitTable(const httplib::Request& request, httplib::Response& response,
                     const ScriptedAnswer* script) {
        const FormFields fields = RequestFields(request);
        const uint64_t logId = NewLogId();
        int64_t error = Refusal(fields, script, true);
        PictureRead picture;
        if (!error) picture = ReadPicture(fields);
        if (!error) error = picture.error;
        if (error) return SendJson(response, ErrorAnswer(error, logId));
        SendJson(response, SubmitAnswer(tables.Submit(std::move(picture.picture)), logId));
    }

    void PollTable(const httplib::Request& request, httplib::Response& response,
                   const ScriptedAnswer* script) {
        const FormFields fields = RequestFields(request);
        const uint64_t logId = NewLogId();
        // Asking after a request is not a request of its own.
        int64_t error = Refusal(fields, script, false);
        const std::string id = Field(fields, kRequestIdField);
        const std::string type =
            fields.count(kResultTypeField) ? fields.at(kResultTypeField) : kExcelResult;
        if (!error && id.empty()) error = kMissingParameter;
        if (!error && type != kExcelResult && type != kJsonResult) error = kResultTypeError;
        const std::optional<TableStatus> status = error ? std::nullopt : tables.Status(id);
        if (!error && !status) error = kRequestIdNotExist;
        if (error) return SendJson(response, ErrorAnswer(error, logId));
        const std::string url = settings.origin + kTablePath + id + ".xlsx";
        SendJson(response, PollAnswer(*status, id, type, url, logId));
    }

    void Download(const httplib::Request& request, httplib::Response& response) {
        const std::optional<TableStatus> status = tables.Status(request.matches[1]);
        if (!status || status->state != TableState::Done) {
            response.status = 404;
            return;
        }
        std::ifstream file(status->spreadsheet, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        if (!file) {
            response.status = 404;
            return;
        }
        response.set_content(bytes.str(), kSpreadsheetType);
    }

    void Token(const httplib::Request& request, httplib::Response& response) {
        const GrantAnswer grant =
            GrantToken(RequestFields(request), {settings.apiKey, settings.secretKey}, tokens);
        SendJson(response, grant.body, grant.status);
    }

    OcrApiSettings settings;
    TokenStore tokens;
    DailyQuota quota;
    Recogniser recogniser;
    TableJobs tables;
};

OcrApiHost::OcrApiHost(OcrApiSettings settings, ControlBoard& board)
    : state_(std::make_unique<State>(std::move(settings))), board_(board) {}

OcrApiHost::~OcrApiHost() = default;

void OcrApiHost::Mount(httplib::Server& server) {
    server.set_payload_max_length(kMaxBodyBytes);
    AnswerRefusalsAsApiErrors(server, {"/rest/2.0/", kTokenPath, kTablePath});

    State& state = *state_;
    HostRouter router(server, board_, kHostName);
    auto token = [&state](const httplib::Request& request, httplib::Response& response,
                          const ScriptedAnswer*) { state.Token(request, response); };
    router.Get(RoutePattern(kTokenPath), token);
    router.Post(RoutePattern(kTokenPath), token);

    for (const RecognitionEndpoint& endpoint : RecognitionEndpoints()) {
        router.Post(RoutePattern(endpoint.path),
                    [&state, endpoint](const httplib::Request& request, httplib::Response& response,
                                       const ScriptedAnswer* script) {
                        state.Recognise(endpoint, request, response, script);
                    });
    }
    router.Post(
        RoutePattern(kTableRequestPath),
        [&state](const httplib::Request& request, httplib::Response& response,
                 const ScriptedAnswer* script) { state.SubmitTable(request, response, script); });
    router.Post(
        RoutePattern(kTableResultPath),
        [&state](const httplib::Request& request, httplib::Response& response,
                 const ScriptedAnswer* script) { state.PollTable(request, response, script); });
    router.Get(std::string(kTablePath) + R"(([0-9]+_[0-9]+)\.xlsx)",
               [&state](const httplib::Request& request, httplib::Response& response,
                        const ScriptedAnswer*) { state.Download(request, response); });
}

}  // namespace pimlo::servers
