#pragma once
// The state file that tells scripts and tests where the stand-ins listen:
// {"ocr", "update", "report", "account", "control"} as "127.0.0.1:port" and
// "ca" as the path of the authority's PEM.

#include <string>

namespace pimlo::servers {

struct ListeningState {
    int ocrPort = 0;
    int updatePort = 0;
    int reportPort = 0;
    int accountPort = 0;
    int controlPort = 0;
    std::string authorityPem;
};

std::string StateJson(const ListeningState& state);

// Writes the state beside `path` and renames it into place, so a reader that
// polls for the file never sees it half written.
bool WriteStateFile(const std::string& path, const ListeningState& state);

}  // namespace pimlo::servers
