#include "platform/servers/core/ControlBoard.h"

#include <json/reader.h>

#include <algorithm>
#include <memory>

namespace pimlo::servers {

void ControlBoard::Script(ScriptedAnswer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_.push_back(std::move(answer));
}

std::optional<ScriptedAnswer> ControlBoard::Take(const std::string& host, const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = std::find_if(scripts_.begin(), scripts_.end(), [&](const ScriptedAnswer& s) {
        return s.host == host && (s.path.empty() || s.path == path);
    });
    if (found == scripts_.end()) return std::nullopt;
    ScriptedAnswer answer = std::move(*found);
    scripts_.erase(found);
    return answer;
}

void ControlBoard::Record(const std::string& host, const httplib::Request& request) {
    Json::Value entry(Json::objectValue);
    entry["method"] = request.method;
    entry["path"] = request.path;
    Json::Value& params = entry["params"] = Json::Value(Json::objectValue);
    for (const auto& [name, value] : request.params) params[name] = value;
    Json::Value& headers = entry["headers"] = Json::Value(Json::objectValue);
    for (const auto& [name, value] : request.headers) headers[name] = value;
    entry["body"] = request.body.substr(0, kMaxRecordedBodyBytes);
    entry["bodyBytes"] = static_cast<Json::UInt64>(request.body.size());
    // The client's port tells which requests came over the same connection.
    entry["clientPort"] = request.remote_port;

    std::lock_guard<std::mutex> lock(mutex_);
    auto& list = received_[host];
    list.push_back(std::move(entry));
    if (list.size() > kMaxRecordedPerHost) list.pop_front();
}

Json::Value ControlBoard::Requests(const std::string& host) const {
    Json::Value all(Json::arrayValue);
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = received_.find(host);
    if (found == received_.end()) return all;
    for (const auto& entry : found->second) all.append(entry);
    return all;
}

void ControlBoard::AddHandlingTime(const std::string& host, const std::string& path,
                                   double milliseconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    Json::Value& entry = handlingTimes_[host][path];
    entry["count"] = entry["count"].asUInt64() + 1;
    entry["ms"] = entry["ms"].asDouble() + milliseconds;
}

Json::Value ControlBoard::HandlingTimes(const std::string& host) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = handlingTimes_.find(host);
    return found == handlingTimes_.end() ? Json::Value(Json::objectValue) : found->second;
}

void ControlBoard::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_.clear();
    received_.clear();
    handlingTimes_.clear();
}

std::optional<ScriptedAnswer> ScriptFromJson(const std::string& text) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) return std::nullopt;
    if (!root.isObject() || !root["host"].isString() || root["host"].asString().empty())
        return std::nullopt;

    ScriptedAnswer answer;
    answer.host = root["host"].asString();
    if (root["path"].isString()) answer.path = root["path"].asString();
    if (root["delayMs"].isInt()) answer.delayMs = std::max(0, root["delayMs"].asInt());
    if (root["status"].isInt()) answer.status = root["status"].asInt();
    if (root["body"].isString()) answer.body = root["body"].asString();
    if (root["errorCode"].isInt64()) answer.errorCode = root["errorCode"].asInt64();
    answer.closeEarly = root["closeEarly"].isBool() && root["closeEarly"].asBool();
    answer.expiredToken = root["expiredToken"].isBool() && root["expiredToken"].asBool();
    return answer;
}

}  // namespace pimlo::servers
