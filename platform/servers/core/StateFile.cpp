#include "platform/servers/core/StateFile.h"

#include <json/value.h>
#include <json/writer.h>

#include <cstdio>
#include <fstream>

namespace pimlo::servers {

namespace {

std::string Loopback(int port) { return "127.0.0.1:" + std::to_string(port); }

}  // namespace

std::string StateJson(const ListeningState& state) {
    Json::Value root(Json::objectValue);
    root["ocr"] = Loopback(state.ocrPort);
    root["update"] = Loopback(state.updatePort);
    root["report"] = Loopback(state.reportPort);
    root["account"] = Loopback(state.accountPort);
    root["control"] = Loopback(state.controlPort);
    root["ca"] = state.authorityPem;
    Json::StreamWriterBuilder builder;
    return Json::writeString(builder, root) + "\n";
}

bool WriteStateFile(const std::string& path, const ListeningState& state) {
    std::string partial = path + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << StateJson(state);
        if (!file.flush()) return false;
    }
    return std::rename(partial.c_str(), path.c_str()) == 0;
}

}  // namespace pimlo::servers
