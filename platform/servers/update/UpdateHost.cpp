#include "platform/servers/update/UpdateHost.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/servers/core/HostRouter.h"

namespace pimlo::servers {

namespace {

// Route patterns are regular expressions, hence the escaped dots.
constexpr char kManifestPath[] = "/windows/newversion\\.htm";
constexpr char kDownloadPattern[] = "/windows/(PimloOCRSetup\\.exe|cd\\.cab)";

// Every request to this host is a bodyless GET; anything larger is refused
// before it is read.
constexpr size_t kMaxBodyBytes = 4096;

// Files larger than this are not served from memory; the stand-in installer
// is a few hundred kilobytes.
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024 * 1024;

// The whole file, or nullopt when it is missing, not a regular file, too
// large or unreadable.
std::optional<std::string> ReadServedFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    if (std::filesystem::file_size(path, error) > kMaxFileBytes || error) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad()) return std::nullopt;
    return bytes;
}

void AnswerStatus(httplib::Response& response, int status, const char* text) {
    response.status = status;
    response.set_content(text, "text/plain");
}

}  // namespace

UpdateHost::UpdateHost(UpdateSettings settings, ControlBoard& board)
    : settings_(std::move(settings)), board_(board) {}

void UpdateHost::Mount(httplib::Server& server) {
    server.set_payload_max_length(kMaxBodyBytes);
    HostRouter router(server, board_, "update");

    // No line end after the version: the program keeps a carriage return as
    // part of the version text it compares.
    router.Get(kManifestPath,
               [this](const httplib::Request&, httplib::Response& response, const ScriptedAnswer*) {
                   response.set_content("version=" + settings_.offeredVersion, "text/html");
               });

    router.Get(kDownloadPattern, [this](const httplib::Request& request,
                                        httplib::Response& response, const ScriptedAnswer*) {
        std::optional<std::string> bytes =
            ReadServedFile(std::filesystem::path(settings_.folder) / request.matches[1].str());
        if (!bytes) return AnswerStatus(response, 404, "Not Found");
        response.set_content(std::move(*bytes), "application/octet-stream");
    });

    auto refuse = [](const httplib::Request&, httplib::Response& response, const ScriptedAnswer*) {
        AnswerStatus(response, 405, "Method Not Allowed");
    };
    router.Post(kManifestPath, refuse);
    router.Post(kDownloadPattern, refuse);
}

}  // namespace pimlo::servers
