#pragma once
// What the tests tell the stand-in hosts to do next, and what the hosts have
// received. Shared by every host and by the control port; thread-safe.

#include <httplib.h>
#include <json/value.h>

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace pimlo::servers {

// One scripted answer, taken by the next request to `host` whose path equals
// `path` (any path when empty). Scripts for one host are taken in the order
// they were given.
struct ScriptedAnswer {
    std::string host;                    // "ocr", "update", "report" or "account"
    std::string path;                    // request path to match; empty matches any
    int delayMs = 0;                     // wait this long before answering
    int status = 0;                      // answer with this HTTP status (0: the host's own)
    std::optional<std::string> body;     // answer with this body instead of the host's own
    std::optional<long long> errorCode;  // cloud API: answer its error with this code
    bool closeEarly = false;             // send the headers and half of the body, then close
    bool expiredToken = false;           // cloud API: treat the request's access token as expired
};

class ControlBoard {
public:
    void Script(ScriptedAnswer answer);
    std::optional<ScriptedAnswer> Take(const std::string& host, const std::string& path);

    // Keeps the request (method, path, parameters, headers, the body's first
    // kMaxRecordedBodyBytes and its whole length as "bodyBytes") for the
    // control port; the oldest are dropped past kMaxRecordedPerHost, so a long
    // run of large pictures stays within a few hundred megabytes.
    void Record(const std::string& host, const httplib::Request& request);
    Json::Value Requests(const std::string& host) const;  // oldest first

    // Adds the time a host took to answer a request of path: benchmarks
    // compare the program's time with the servers' own.
    void AddHandlingTime(const std::string& host, const std::string& path, double milliseconds);
    // {path: {"count": n, "ms": total}} of a host.
    Json::Value HandlingTimes(const std::string& host) const;

    // Forgets every script, every recorded request and every handling time.
    void Reset();

    static constexpr size_t kMaxRecordedPerHost = 200;
    static constexpr size_t kMaxRecordedBodyBytes = 256 * 1024;

private:
    mutable std::mutex mutex_;
    std::deque<ScriptedAnswer> scripts_;
    std::map<std::string, std::deque<Json::Value>> received_;
    std::map<std::string, Json::Value> handlingTimes_;
};

// Reads a script from the control port's JSON ({"host", "path", "delayMs",
// "status", "body", "errorCode", "closeEarly", "expiredToken"}); nullopt when
// the text is not such an object or names no host.
std::optional<ScriptedAnswer> ScriptFromJson(const std::string& text);

}  // namespace pimlo::servers
