#include "platform/servers/ocr/FormFields.h"

#include <strings.h>

namespace pimlo::servers {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsFormBody(const httplib::Request& request) {
    static constexpr char kFormType[] = "application/x-www-form-urlencoded";
    const std::string type = request.get_header_value("Content-Type");
    // Media types compare without regard to case.
    return strncasecmp(type.c_str(), kFormType, sizeof(kFormType) - 1) == 0;
}

}  // namespace

FormFields ParseFormBody(std::string_view body) {
    FormFields fields;
    while (!body.empty()) {
        const size_t end = body.find('&');
        std::string_view pair = body.substr(0, end);
        body = end == std::string_view::npos ? std::string_view() : body.substr(end + 1);
        if (pair.empty()) continue;
        const size_t equals = pair.find('=');
        std::string name = Unescape(pair.substr(0, equals));
        std::string value =
            equals == std::string_view::npos ? std::string() : Unescape(pair.substr(equals + 1));
        fields.emplace(std::move(name), std::move(value));
    }
    return fields;
}

FormFields RequestFields(const httplib::Request& request) {
    FormFields fields;
    for (const auto& [name, value] : request.params) fields.emplace(name, value);
    if (request.method == "POST" && IsFormBody(request)) fields.merge(ParseFormBody(request.body));
    return fields;
}

}  // namespace pimlo::servers
