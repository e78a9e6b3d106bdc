#include "tests/e2e/StandIns.h"

#include <json/reader.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "common/StringConversion.h"
#include "net/CurlByteClient.h"

namespace {

Json::Value ParseJson(const std::string& text) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    reader->parse(text.data(), text.data() + text.size(), &root, &errors);
    return root;
}

std::string PortOf(const std::string& address) {
    size_t colon = address.rfind(':');
    return colon == std::string::npos ? std::string() : address.substr(colon + 1);
}

// The Linux path as Wine shows it: the root of the file system is drive Z:.
std::wstring WinePath(const std::string& linuxPath) {
    std::wstring path = L"Z:" + Utf8ToWide(linuxPath);
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace

StandIns ReadStandIns() {
    std::ifstream file("state.json", std::ios::binary);
    Json::Value state = ParseJson({std::istreambuf_iterator<char>(file), {}});
    StandIns standIns;
    if (!state.isObject()) return standIns;
    standIns.ocrHost = "localhost:" + PortOf(state["ocr"].asString());
    standIns.updateHost = state["update"].asString();
    standIns.reportHost = state["report"].asString();
    standIns.accountHost = state["account"].asString();
    standIns.controlUrl = "http://" + state["control"].asString();
    standIns.authority = WinePath(state["ca"].asString());
    std::ifstream credentials("credentials");
    std::getline(credentials, standIns.apiKey);
    std::getline(credentials, standIns.secretKey);
    return standIns;
}

ServiceHosts StandIns::Hosts() const {
    return {Utf8ToWide(ocrHost), Utf8ToWide(updateHost), Utf8ToWide(reportHost),
            Utf8ToWide(accountHost), authority};
}

bool StandIns::Script(const std::string& json) const {
    CurlByteClient client;
    std::string answer = client.PostJson(controlUrl + "/script", json, "", "");
    return answer.find("\"queued\"") != std::string::npos;
}

Json::Value StandIns::Requests(const std::string& host) const {
    CurlByteClient client;
    return ParseJson(client.Get(controlUrl + "/requests?host=" + host, "", ""));
}

Json::Value StandIns::Timings(const std::string& host) const {
    CurlByteClient client;
    return ParseJson(client.Get(controlUrl + "/timings?host=" + host, "", ""));
}

Json::Value StandIns::Reports(const std::string& kind) const {
    return ParseJson(CurlByteClient().Get(controlUrl + "/reports?kind=" + kind, "", ""));
}

void StandIns::Reset() const { CurlByteClient().PostJson(controlUrl + "/reset", "{}", "", ""); }

int StandIns::CountRequests(const std::string& host, const std::string& path) const {
    int count = 0;
    for (const auto& request : Requests(host)) count += request["path"].asString() == path;
    return count;
}
