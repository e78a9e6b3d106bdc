// Prints how long recognition takes for a text line picture and a full A4
// page, and how many token requests per second the host answers.

#include <httplib.h>
#include <leptonica/allheaders.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/servers/ocr/OcrApiHost.h"
#include "platform/servers/ocr/Recogniser.h"
#include "tests/servers/ocr/TestPictures.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace {

using Clock = std::chrono::steady_clock;
using pimlo::servers::Recogniser;
using pimlo::servers::testing::Rendered;

// Twenty-eight lines of prose, about the text of a printed page at 150 dpi.
std::string PageText() {
    std::string text;
    for (int i = 1; i <= 28; ++i)
        text += "Line " + std::to_string(i) +
                ": the quick brown fox jumps over the lazy dog 0123456789\\n";
    return text;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void TimeRecognition(Recogniser& recogniser, const char* name, const std::string& png,
                     const std::string& languages) {
    Pix* pix = pixReadMem(reinterpret_cast<const l_uint8*>(png.data()), png.size());
    Pix* grey = pixConvertTo8(pix, 0);
    recogniser.Recognise(grey, languages);  // loads the language data
    constexpr int kRuns = 3;
    size_t lines = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kRuns; ++i) lines = recogniser.Recognise(grey, languages)->lines.size();
    std::printf("%-28s %-12s %8.1f ms per picture (%zu lines)\n", name, languages.c_str(),
                MillisecondsSince(start) / kRuns, lines);
    pixDestroy(&grey);
    pixDestroy(&pix);
}

void TimeTokens(int port, int threads) {
    constexpr int kRequestsPerThread = 2000;
    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([port] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            for (int i = 0; i < kRequestsPerThread; ++i)
                client.Get(
                    "/oauth/2.0/token?client_id=api-key&client_secret=secret-key&"
                    "grant_type=client_credentials&");
        });
    }
    for (std::thread& worker : workers) worker.join();
    const double seconds = MillisecondsSince(start) / 1000;
    std::printf("token path, %d client(s), keep-alive: %8.0f requests per second\n", threads,
                threads * kRequestsPerThread / seconds);
}

}  // namespace

int main() {
    const std::string line = Rendered(
        "-size 1000x300 xc:white -font DejaVu-Sans -pointsize 48 -fill black "
        "-annotate +40+170 'Recognition time of one line 2048'");
    const std::string page = Rendered(
        "-size 1240x1754 -density 150 xc:white -font DejaVu-Sans -pointsize 11 -fill black "
        "-annotate +100+150 '" +
        PageText() + "'");
    if (line.empty() || page.empty()) {
        std::fprintf(stderr, "ImageMagick's convert is needed to draw the pictures\n");
        return 1;
    }

    Recogniser recogniser(1);
    TimeRecognition(recogniser, "text line 1000x300", line, "eng");
    TimeRecognition(recogniser, "text line 1000x300", line, "chi_sim+eng");
    TimeRecognition(recogniser, "A4 page 1240x1754 (150 dpi)", page, "eng");
    TimeRecognition(recogniser, "A4 page 1240x1754 (150 dpi)", page, "chi_sim+eng");

    pimlo::servers::testing::TemporaryFolder folder;
    pimlo::servers::ControlBoard board;
    pimlo::servers::OcrApiHost host({"api-key", "secret-key", "http://127.0.0.1", folder.Path()},
                                    board);
    httplib::Server server;
    host.Mount(server);
    pimlo::servers::testing::ServerThread served(server);
    TimeTokens(served.Port(), 1);
    TimeTokens(served.Port(), 2);
    return 0;
}
