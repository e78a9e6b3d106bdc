#include "net/ServiceTransport.h"

#include "tests/fuzz/standin/ScriptedService.h"

ScriptedAnswers& CurrentScript() {
    static ScriptedAnswers script;
    return script;
}

std::string UrlWithQuery(const std::string& url, const FormMap& query) {
    if (query.empty()) return url;
    const char separator = url.find('?') == std::string::npos ? '?' : '&';
    return url + separator + FormEncode(query);
}

int ServiceTransport::Post(const std::string&, const FormMap&, const std::string&, const HeaderMap&,
                           std::string& response) const {
    ScriptedAnswers& script = CurrentScript();
    response.clear();
    if (!script.postAnswers.empty()) {
        response = std::move(script.postAnswers.front());
        script.postAnswers.pop_front();
    }
    return 0;
}

int ServiceTransport::Get(const std::string&, std::string& response) const {
    response = CurrentScript().tokenAnswer;
    return 0;
}
