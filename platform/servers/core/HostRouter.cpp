#include "platform/servers/core/HostRouter.h"

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace pimlo::servers {

namespace {

// Announces the whole answer's length but sends only its first half, then
// drops the connection: what a client sees when a transfer breaks off.
void CutShort(httplib::Response& response) {
    auto whole = std::make_shared<std::string>(std::move(response.body));
    std::string type = response.get_header_value("Content-Type");
    response.body.clear();
    response.set_content_provider(whole->size(), type.empty() ? "application/octet-stream" : type,
                                  [whole](size_t offset, size_t, httplib::DataSink& sink) {
                                      size_t half = whole->size() / 2;
                                      if (offset < half)
                                          sink.write(whole->data() + offset, half - offset);
                                      return false;
                                  });
}

}  // namespace

HostRouter::HostRouter(httplib::Server& server, ControlBoard& board, std::string host)
    : server_(server), board_(board), host_(std::move(host)) {}

void HostRouter::Get(const std::string& pattern, RouteHandler handler) {
    server_.Get(pattern, Wrap(std::move(handler)));
}

void HostRouter::Post(const std::string& pattern, RouteHandler handler) {
    // The body is read through a content reader because cpp-httplib's own
    // reading refuses url-encoded bodies over 8 KiB (a compiled-in limit that
    // every picture exceeds). The server's payload limit still bounds it, and
    // the host parses the body itself.
    server_.Post(pattern, [wrapped = Wrap(std::move(handler))](
                              const httplib::Request& request, httplib::Response& response,
                              const httplib::ContentReader& reader) {
        httplib::Request withBody = request;
        bool whole = reader([&withBody](const char* data, size_t length) {
            withBody.body.append(data, length);
            return true;
        });
        if (!whole) {
            // Too large or broken off: the library has set the status.
            if (response.status < 400) response.status = 400;
            return;
        }
        wrapped(withBody, response);
    });
}

httplib::Server::Handler HostRouter::Wrap(RouteHandler handler) const {
    // Captures the board and the host name rather than the router, so the
    // router may be a temporary used only while mounting.
    return [&board = board_, host = host_, handler = std::move(handler)](
               const httplib::Request& request, httplib::Response& response) {
        board.Record(host, request);
        std::optional<ScriptedAnswer> script = board.Take(host, request.path);
        if (!script) {
            const auto start = std::chrono::steady_clock::now();
            handler(request, response, nullptr);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            board.AddHandlingTime(host, request.path, took.count());
            return;
        }
        if (script->delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(script->delayMs));
        if (script->status != 0 || script->body) {
            response.status = script->status != 0 ? script->status : 200;
            response.set_content(script->body.value_or(""), "application/json");
        } else {
            handler(request, response, &*script);
        }
        if (script->closeEarly) CutShort(response);
    };
}

}  // namespace pimlo::servers
