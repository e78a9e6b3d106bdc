#include "platform/servers/core/ServerOptions.h"

#include <charconv>
#include <map>

namespace pimlo::servers {

const char kServerUsage[] =
    "usage: pimlo-servers --data DIR --api-key KEY --secret-key KEY --sign-key TEXT\n"
    "                     [--state FILE] [--update-folder DIR] [--offered-version V]\n"
    "                     [--installer FILE]\n"
    "                     [--ocr-port N] [--update-port N] [--report-port N]\n"
    "                     [--account-port N] [--control-port N]\n";

namespace {

bool ParsePort(const std::string& text, int& port) {
    int value = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 65535)
        return false;
    port = value;
    return true;
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments,
                                                std::string& problem) {
    ServerOptions options;
    const std::map<std::string, std::string*> texts = {
        {"--data", &options.dataDir},
        {"--state", &options.stateFile},
        {"--api-key", &options.apiKey},
        {"--secret-key", &options.secretKey},
        {"--sign-key", &options.signKey},
        {"--update-folder", &options.updateFolder},
        {"--offered-version", &options.offeredVersion},
        {"--installer", &options.installer},
    };
    const std::map<std::string, int*> ports = {
        {"--ocr-port", &options.ocrPort},         {"--update-port", &options.updatePort},
        {"--report-port", &options.reportPort},   {"--account-port", &options.accountPort},
        {"--control-port", &options.controlPort},
    };

    for (size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        if (i + 1 >= arguments.size()) {
            problem = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[i + 1];
        if (auto text = texts.find(name); text != texts.end()) {
            *text->second = value;
        } else if (auto port = ports.find(name); port != ports.end()) {
            if (!ParsePort(value, *port->second)) {
                problem = name + " takes a port number from 0 to 65535";
                return std::nullopt;
            }
        } else {
            problem = "unknown option " + name;
            return std::nullopt;
        }
    }

    for (const char* required : {"--data", "--api-key", "--secret-key", "--sign-key"}) {
        if (texts.at(required)->empty()) {
            problem = std::string(required) + " is required";
            return std::nullopt;
        }
    }
    if (options.updateFolder.empty()) options.updateFolder = options.dataDir + "/update";
    return options;
}

}  // namespace pimlo::servers
