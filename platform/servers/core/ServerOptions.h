#pragma once
// Command line of the stand-in server program.

#include <optional>
#include <string>
#include <vector>

namespace pimlo::servers {

struct ServerOptions {
    std::string dataDir;    // --data: certificates, databases, logs, served files
    std::string stateFile;  // --state: where the listening addresses are written
    // --ocr-port, --update-port, --report-port, --account-port,
    // --control-port: 0 (the default) takes any free port.
    int ocrPort = 0;
    int updatePort = 0;
    int reportPort = 0;
    int accountPort = 0;
    int controlPort = 0;
    std::string apiKey;        // --api-key: cloud credentials the token path accepts
    std::string secretKey;     // --secret-key
    std::string signKey;       // --sign-key: the account service's signing text
    std::string updateFolder;  // --update-folder: served under /windows/ (default DATA/update)
    // --offered-version: what the update manifest offers; compared as text
    // with the installed version, so the default sorts after any 1.x.
    std::string offeredVersion = "2.0.0.0";
    // --installer: a file served as "PimloOCRSetup.exe" (copied into the
    // update folder at start) in place of the filler bytes.
    std::string installer;
};

// Parses the arguments after the program name; nullopt with `problem` set
// when one is unknown, lacks its value, a port is not 0..65535, or a
// required one (--data, --api-key, --secret-key, --sign-key) is missing.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments,
                                                std::string& problem);

extern const char kServerUsage[];

}  // namespace pimlo::servers
