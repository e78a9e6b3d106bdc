#pragma once

#include <winsock2.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// One request as the server received it.
struct RecordedRequest {
    std::string method;
    std::string path;   // the target before "?"
    std::string query;  // the target after "?", empty when there was none
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // The value of the first header of that name (case-insensitive), or "".
    std::string Header(const std::string& name) const;
};

// How the server answers one request.
struct ScriptedResponse {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
    int delayMs = 0;           // wait before answering
    bool neverAnswer = false;  // hold the connection open until the server stops
    bool closeEarly = false;   // announce the whole body, send half of it, close
    bool noLength = false;     // no Content-Length: the body ends with the connection
};

// An HTTP/1.1 server on 127.0.0.1 with a port of its own, serving one
// connection at a time on its own thread. It answers each request with the
// next scripted response (404 with an empty body once the script is used
// up) and records every request.
class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    uint16_t Port() const { return port_; }
    // "http://127.0.0.1:port"
    std::string Origin() const;

    void Answer(ScriptedResponse response);
    void AnswerJson(const std::string& body) { Answer(ScriptedResponse{200, body}); }

    std::vector<RecordedRequest> Requests() const;
    // How many requests went to path.
    size_t CountFor(const std::string& path) const;

private:
    SOCKET listener_ = INVALID_SOCKET;
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::deque<ScriptedResponse> script_;
    std::vector<RecordedRequest> requests_;
    std::thread thread_;

    void Serve();
    void HandleConnection(SOCKET connection);
    ScriptedResponse NextResponse();
    // Sleeps up to ms, or until the server stops; false when it stopped.
    bool WaitUnlessStopping(int ms);
};
