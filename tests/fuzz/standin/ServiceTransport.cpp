#include "net/ServiceTransport.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "tests/fuzz/standin/ScriptedService.h"

namespace {

ScriptedService* current = nullptr;

}  // namespace

ScriptedService::ScriptedService(std::string tokenAnswer, std::vector<std::string> postAnswers)
    : tokenAnswer_(std::move(tokenAnswer)),
      postAnswers_(std::make_move_iterator(postAnswers.begin()),
                   std::make_move_iterator(postAnswers.end())) {
    current = this;
}

ScriptedService::~ScriptedService() { current = nullptr; }

ScriptedService& ScriptedService::Current() {
    if (!current) {
        std::fprintf(stderr, "the cloud service was asked outside a scripted input\n");
        std::abort();
    }
    return *current;
}

std::string ScriptedService::NextPostAnswer() {
    if (postAnswers_.empty()) return {};
    std::string answer = std::move(postAnswers_.front());
    postAnswers_.pop_front();
    return answer;
}

std::string UrlWithQuery(const std::string& url, const FormMap& query) {
    if (query.empty()) return url;
    const char separator = url.find('?') == std::string::npos ? '?' : '&';
    return url + separator + FormEncode(query);
}

int ServiceTransport::Post(const std::string&, const FormMap&, const std::string&, const HeaderMap&,
                           std::string& response) const {
    response = ScriptedService::Current().NextPostAnswer();
    return 0;
}

int ServiceTransport::Get(const std::string&, std::string& response) const {
    response = ScriptedService::Current().TokenAnswer();
    return 0;
}
