#include "platform/servers/account/SignInPages.h"

#include <json/value.h>
#include <json/writer.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/servers/account/Md5Hex.h"
#include "platform/servers/account/QueryParam.h"

namespace pimlo::servers {

namespace {

// The text box takes 20 characters; four UTF-8 bytes each at most.
constexpr size_t kMaxNicknameBytes = 80;

const char* const kOfferedNames[] = {"张三", "李四", "王小明", "Alice"};

const char* Title(SignInProvider provider) {
    return provider == SignInProvider::QQ ? "QQ 授权登录" : "微信授权登录";
}

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string EscapeQueryValue(const std::string& text) {
    std::string escaped;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            escaped += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            escaped += hex;
        }
    }
    return escaped;
}

// A double-quoted script literal that is safe inside a <script> element:
// besides quotes and backslashes, the characters that could end the element
// or the line are written as \u escapes. Other UTF-8 passes unchanged.
std::string ScriptString(const std::string& text) {
    std::string literal = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        // U+2028 and U+2029 end a line inside an old script literal.
        bool lineSeparator = c == 0xE2 && i + 2 < text.size() &&
                             static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                             (text[i + 2] == '\xA8' || text[i + 2] == '\xA9');
        char escape[8];
        if (lineSeparator) {
            std::snprintf(escape, sizeof escape, "\\u%04X",
                          text[i + 2] == '\xA8' ? 0x2028 : 0x2029);
            literal += escape;
            i += 2;
        } else if (c == '"' || c == '\\' || c == '<' || c == '>' || c == '&' || c == '\'' ||
                   c < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04X", c);
            literal += escape;
        } else {
            literal += static_cast<char>(c);
        }
    }
    return literal + "\"";
}

// The message as compact JSON with its text left in UTF-8: the program
// turns the page's text into its own code page before parsing, so \u
// escapes would reach it as UTF-8 bytes instead.
std::string JsonText(const Json::Value& message) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, message);
}

std::string PageHead(const std::string& title) {
    return "<!DOCTYPE html>\n<html>\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "<title>" +
           title +
           "</title>\n"
           "<style>body{font-family:\"Microsoft YaHei\",sans-serif;margin:24px}"
           "li{margin:6px 0}</style>\n</head>\n<body>\n<h3>" +
           title + "</h3>\n";
}

std::string PickerPage(SignInProvider provider, const std::string& notice) {
    std::string page = PageHead(Title(provider));
    if (!notice.empty()) page += "<p style=\"color:#c00\">" + notice + "</p>\n";
    page += "<p>选择一个账号登录：</p>\n<ul>\n";
    for (const char* name : kOfferedNames)
        page += "<li><a href=\"login.php?nickname=" + EscapeQueryValue(name) + "\">" +
                EscapeHtml(name) + "</a></li>\n";
    page +=
        "</ul>\n<form method=\"get\" action=\"login.php\" accept-charset=\"utf-8\">\n"
        "<input type=\"text\" name=\"nickname\" maxlength=\"20\">\n"
        "<input type=\"submit\" value=\"登录\">\n</form>\n"
        "<p><a href=\"login.php?cancel=1\">取消授权</a></p>\n</body>\n</html>\n";
    return page;
}

// Plain ES3: the page runs in an old browser control. Outside the program's
// window there is no notify, so the page shows the message instead.
std::string HandoverPage(SignInProvider provider, const std::string& message) {
    return PageHead(Title(provider)) +
           "<p id=\"state\">正在登录……</p>\n"
           "<script type=\"text/javascript\">\n"
           "var message = " +
           ScriptString(message) +
           ";\n"
           "function send() {\n"
           "    try {\n"
           "        window.external.notify(message);\n"
           "    } catch (e) {\n"
           "        var state = document.getElementById(\"state\");\n"
           "        state.innerHTML = \"\";\n"
           "        state.appendChild(document.createTextNode(message));\n"
           "    }\n"
           "}\n"
           "window.onload = send;\n"
           "</script>\n</body>\n</html>\n";
}

}  // namespace

std::string SignInAccountId(SignInProvider provider, const std::string& nickname) {
    // Shaped like the real ones: a QQ openid is 32 upper-case hexadecimal
    // digits, a WeChat unionid 28 characters starting with "o".
    if (provider == SignInProvider::QQ) {
        std::string id = Md5Hex("qq:" + nickname);
        std::transform(id.begin(), id.end(), id.begin(), ::toupper);
        return id;
    }
    return "o" + Md5Hex("wx:" + nickname).substr(0, 27);
}

std::string SignInPage(SignInProvider provider, const httplib::Params& params) {
    if (params.count("cancel")) {
        Json::Value refused(Json::objectValue);
        refused["result"] = 0;
        return HandoverPage(provider, JsonText(refused));
    }
    std::string nickname = QueryParam(params, "nickname");
    if (nickname.empty()) return PickerPage(provider, "");
    if (nickname.size() > kMaxNicknameBytes) return PickerPage(provider, "昵称太长，请换一个。");

    Json::Value message(Json::objectValue);
    message["result"] = 1;
    message[provider == SignInProvider::QQ ? "openid" : "unionid"] =
        SignInAccountId(provider, nickname);
    message["nickname"] = nickname;
    return HandoverPage(provider, JsonText(message));
}

}  // namespace pimlo::servers
