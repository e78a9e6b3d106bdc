// Starts the stand-ins of every outside host the program talks to, on
// loopback: the cloud OCR API over HTTPS, the update host, the reporting host,
// the account service, and the control port that tests steer them with.
// Runs in the foreground until SIGINT or SIGTERM.

#include <httplib.h>
#include <signal.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "platform/servers/account/AccountHost.h"
#include "platform/servers/core/CertificateAuthority.h"
#include "platform/servers/core/ControlBoard.h"
#include "platform/servers/core/ControlPort.h"
#include "platform/servers/core/ServerOptions.h"
#include "platform/servers/core/StateFile.h"
#include "platform/servers/ocr/OcrApiHost.h"
#include "platform/servers/report/ReportHost.h"
#include "platform/servers/update/SampleUpdateFiles.h"
#include "platform/servers/update/UpdateHost.h"

using namespace pimlo::servers;

namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr auto kStartLimit = std::chrono::seconds(10);

// One listening server and the thread that serves it.
struct Listener {
    const char* name;
    httplib::Server* server;
    int port;
    std::thread thread;
};
// The cloud API, update, reporting, account and control servers, in the
// order of the state file.
using Listeners = std::array<Listener, 5>;

// Binds to the chosen port, or any free one for 0; the bound port or -1.
int Bind(httplib::Server& server, int port) {
    // Socket options apply to the listening socket, so they are set before
    // binding; accepted connections inherit them. An answer leaves in two
    // writes (head, then body): with Nagle's algorithm the body would wait
    // for the client's delayed acknowledgement, about 40 ms per request.
    server.set_tcp_nodelay(true);
    // A client that keeps its connection open, as a batch of pictures does,
    // is not made to reconnect every few requests.
    server.set_keep_alive_max_count(1000);
    if (port == 0) return server.bind_to_any_port(kLoopback);
    return server.bind_to_port(kLoopback, port) ? port : -1;
}

bool StartAll(Listeners& listeners) {
    for (auto& listener : listeners)
        listener.thread = std::thread([server = listener.server] { server->listen_after_bind(); });
    auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    for (auto& listener : listeners) {
        while (!listener.server->is_running()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return true;
}

void StopAll(Listeners& listeners) {
    for (auto& listener : listeners) listener.server->stop();
    for (auto& listener : listeners)
        if (listener.thread.joinable()) listener.thread.join();
}

int WaitForStopSignal(const sigset_t& signals) {
    int received = 0;
    sigwait(&signals, &received);
    return received;
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    auto options = ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::fprintf(stderr, "pimlo-servers: %s\n%s", problem.c_str(), kServerUsage);
        return 2;
    }

    // Every thread started from here on leaves SIGINT and SIGTERM to the
    // main thread's sigwait, so a stop always ends the servers cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::error_code ignored;
    std::filesystem::create_directories(options->dataDir + "/tls", ignored);
    // A fresh data folder gets stand-in installer files to download.
    if (!std::filesystem::exists(options->updateFolder + "/PimloOCRSetup.exe") &&
        !WriteSampleUpdateFiles(options->updateFolder)) {
        std::fprintf(stderr, "pimlo-servers: cannot write %s\n", options->updateFolder.c_str());
        return 1;
    }
    if (!options->installer.empty() &&
        !std::filesystem::copy_file(options->installer,
                                    options->updateFolder + "/PimloOCRSetup.exe",
                                    std::filesystem::copy_options::overwrite_existing, ignored)) {
        std::fprintf(stderr, "pimlo-servers: cannot serve %s\n", options->installer.c_str());
        return 1;
    }
    auto tls = EnsureTlsFiles(options->dataDir + "/tls");
    if (!tls) {
        std::fprintf(stderr, "pimlo-servers: cannot make the TLS files in %s/tls\n",
                     options->dataDir.c_str());
        return 1;
    }

    httplib::SSLServer ocrServer(tls->certificatePem.c_str(), tls->privateKeyPem.c_str());
    httplib::Server updateServer, reportServer, accountServer, controlServer;
    Listeners listeners = {{
        {"ocr", &ocrServer, options->ocrPort, {}},
        {"update", &updateServer, options->updatePort, {}},
        {"report", &reportServer, options->reportPort, {}},
        {"account", &accountServer, options->accountPort, {}},
        {"control", &controlServer, options->controlPort, {}},
    }};
    if (!ocrServer.is_valid()) {
        std::fprintf(stderr, "pimlo-servers: the TLS server cannot load its certificate\n");
        return 1;
    }
    for (auto& listener : listeners) {
        listener.port = Bind(*listener.server, listener.port);
        if (listener.port < 0) {
            std::fprintf(stderr, "pimlo-servers: cannot listen for %s\n", listener.name);
            return 1;
        }
    }

    ControlBoard board;
    OcrApiHost ocr(
        {options->apiKey, options->secretKey,
         "https://localhost:" + std::to_string(listeners[0].port), options->dataDir + "/ocr"},
        board);
    UpdateHost update({options->updateFolder, options->offeredVersion}, board);
    ReportHost report({options->dataDir + "/reports.sqlite"}, board);
    AccountHost account({options->dataDir + "/accounts.sqlite", options->signKey,
                         options->dataDir + "/account.log"},
                        board);
    ocr.Mount(ocrServer);
    update.Mount(updateServer);
    report.Mount(reportServer);
    account.Mount(accountServer);
    MountControlPort(controlServer, board);
    report.MountControl(controlServer);

    if (!StartAll(listeners)) {
        std::fprintf(stderr, "pimlo-servers: the servers did not start\n");
        StopAll(listeners);
        return 1;
    }
    ListeningState state{listeners[0].port, listeners[1].port, listeners[2].port,
                         listeners[3].port, listeners[4].port, tls->authorityPem};
    if (!options->stateFile.empty() && !WriteStateFile(options->stateFile, state)) {
        std::fprintf(stderr, "pimlo-servers: cannot write %s\n", options->stateFile.c_str());
        StopAll(listeners);
        return 1;
    }
    std::printf("%s", StateJson(state).c_str());
    std::fflush(stdout);

    int signal = WaitForStopSignal(stopSignals);
    StopAll(listeners);
    if (!options->stateFile.empty()) std::remove(options->stateFile.c_str());
    std::fprintf(stderr, "pimlo-servers: stopped by signal %d\n", signal);
    return 0;
}
