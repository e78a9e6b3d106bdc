#include "tests/support/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>

namespace {

// A request's head larger than this is not a request our clients send.
constexpr size_t kMaxHeadBytes = 1 << 20;
// How long a neverAnswer connection is held at most.
constexpr int kNeverAnswerMs = 10 * 60 * 1000;

bool SendAll(SOCKET socket, const char* data, size_t size) {
    while (size > 0) {
        int chunk = static_cast<int>(std::min<size_t>(size, 1 << 20));
        int sent = send(socket, data, chunk, 0);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool SendAll(SOCKET socket, const std::string& text) {
    return SendAll(socket, text.data(), text.size());
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

// Reads from socket into buffer until it holds at least size bytes.
bool ReadAtLeast(SOCKET socket, std::string& buffer, size_t size) {
    size_t have = buffer.size();
    if (have >= size) return true;
    // Received straight into place: a picture's body is many megabytes.
    buffer.resize(size);
    while (have < size) {
        int want = static_cast<int>(std::min<size_t>(size - have, 1 << 20));
        int received = recv(socket, &buffer[have], want, 0);
        if (received <= 0) return false;
        have += static_cast<size_t>(received);
    }
    return true;
}

// Parses the request line and headers of head into request; returns the
// announced body length.
size_t ParseHead(const std::string& head, RecordedRequest& request) {
    size_t lineEnd = head.find("\r\n");
    std::string requestLine = head.substr(0, lineEnd);
    size_t firstSpace = requestLine.find(' ');
    size_t secondSpace = requestLine.find(' ', firstSpace + 1);
    request.method = requestLine.substr(0, firstSpace);
    std::string target = requestLine.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    size_t question = target.find('?');
    request.path = target.substr(0, question);
    if (question != std::string::npos) request.query = target.substr(question + 1);

    size_t contentLength = 0;
    size_t at = lineEnd + 2;
    while (at < head.size()) {
        size_t end = head.find("\r\n", at);
        if (end == std::string::npos) end = head.size();
        std::string line = head.substr(at, end - at);
        at = end + 2;
        size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string name = line.substr(0, colon);
        size_t valueStart = line.find_first_not_of(' ', colon + 1);
        std::string value = valueStart == std::string::npos ? "" : line.substr(valueStart);
        if (Lower(name) == "content-length") contentLength = std::stoull(value);
        request.headers.emplace_back(name, value);
    }
    return contentLength;
}

}  // namespace

std::string RecordedRequest::Header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (Lower(key) == Lower(name)) return value;
    }
    return {};
}

LoopbackHttpServer::LoopbackHttpServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (listener_ == INVALID_SOCKET ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, SOMAXCONN) != 0) {
        throw std::runtime_error("loopback server: cannot listen");
    }
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread(&LoopbackHttpServer::Serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    closesocket(listener_);
    thread_.join();
    WSACleanup();
}

std::string LoopbackHttpServer::Origin() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void LoopbackHttpServer::Answer(ScriptedResponse response) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_.push_back(std::move(response));
}

std::vector<RecordedRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

size_t LoopbackHttpServer::CountFor(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::count_if(requests_.begin(), requests_.end(),
                         [&](const RecordedRequest& request) { return request.path == path; });
}

ScriptedResponse LoopbackHttpServer::NextResponse() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (script_.empty()) return ScriptedResponse{404, ""};
    ScriptedResponse next = std::move(script_.front());
    script_.pop_front();
    return next;
}

bool LoopbackHttpServer::WaitUnlessStopping(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !stopped_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping_; });
}

void LoopbackHttpServer::Serve() {
    for (;;) {
        SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET) return;  // the listener was closed
        HandleConnection(connection);
        closesocket(connection);
    }
}

void LoopbackHttpServer::HandleConnection(SOCKET connection) {
    std::string buffer;
    size_t headEnd;
    char chunk[64 * 1024];
    while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
        if (buffer.size() > kMaxHeadBytes) return;
        int received = recv(connection, chunk, sizeof chunk, 0);
        if (received <= 0) return;
        buffer.append(chunk, static_cast<size_t>(received));
    }
    RecordedRequest request;
    size_t contentLength = ParseHead(buffer.substr(0, headEnd), request);
    if (Lower(request.Header("Expect")) == "100-continue") {
        SendAll(connection, "HTTP/1.1 100 Continue\r\n\r\n");
    }
    buffer.erase(0, headEnd + 4);
    if (!ReadAtLeast(connection, buffer, contentLength)) return;
    request.body = buffer.substr(0, contentLength);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(std::move(request));
    }

    ScriptedResponse response = NextResponse();
    if (response.neverAnswer) {
        WaitUnlessStopping(kNeverAnswerMs);
        return;
    }
    if (response.delayMs > 0 && !WaitUnlessStopping(response.delayMs)) return;
    std::string head =
        "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) +
        "\r\nContent-Type: " + response.contentType +
        (response.noLength ? std::string()
                           : "\r\nContent-Length: " + std::to_string(response.body.size())) +
        "\r\nConnection: close\r\n\r\n";
    size_t bodyBytes = response.closeEarly ? response.body.size() / 2 : response.body.size();
    if (SendAll(connection, head)) SendAll(connection, response.body.data(), bodyBytes);
    shutdown(connection, SD_SEND);
}
