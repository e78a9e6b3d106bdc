// Measures how fast a recognition request's body is built from a picture and
// how much memory it takes beyond the picture, for pictures of 1, 4 and
// 16 MiB, and posts each through the real client to a loopback server.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "common/Base64.h"
#include "net/FormEncoding.h"
#include "ocr/ImageData.h"
#include "ocr/OcrClient.h"
#include "tests/bench/AllocationCounter.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

constexpr size_t kMiB = 1024 * 1024;
// Each figure is the best of this many runs, to keep out scheduling noise.
constexpr int kRuns = 5;

std::string RandomPicture(size_t size) {
    std::mt19937 random(42);
    std::string picture(size, '\0');
    for (char& byte : picture) byte = static_cast<char>(random());
    return picture;
}

// Best wall time of kRuns calls of work, in seconds.
template <typename Work>
double BestSeconds(Work work) {
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed.count() < best) best = elapsed.count();
    }
    return best;
}

double MiBPerSecond(size_t bytes, double seconds) {
    return static_cast<double>(bytes) / kMiB / seconds;
}

const FormMap kGeneralOptions{{"language_type", "CHN_ENG"},
                              {"detect_direction", "true"},
                              {"detect_language", "true"},
                              {"probability", "true"}};

void Measure(size_t size) {
    const std::string picture = RandomPicture(size);
    const std::string base64 = Base64Encode(picture);
    size_t sink = 0;

    double base64Seconds = BestSeconds([&] { sink += Base64Encode(picture).size(); });
    double escapeSeconds = BestSeconds([&] { sink += FormEscape(base64).size(); });
    double bodySeconds =
        BestSeconds([&] { sink += FormEncode(BuildImageData(picture, kGeneralOptions)).size(); });
    double copySeconds = BestSeconds([&] {
        std::string copy(picture);
        sink += copy.size();
    });
    std::string warm(size, '\0');
    double memcpySeconds = BestSeconds([&] {
        std::memcpy(warm.data(), picture.data(), size);
        sink += static_cast<unsigned char>(warm[size / 2]);
    });

    allocation_counter::ResetPeak();
    size_t before = allocation_counter::CurrentBytes();
    sink += FormEncode(BuildImageData(picture, kGeneralOptions)).size();
    size_t bodyPeak = allocation_counter::PeakBytes() - before;

    LoopbackHttpServer server;
    server.AnswerJson(R"({"access_token":"t","expires_in":2592000})");
    server.AnswerJson(R"({"log_id":1,"words_result_num":0,"words_result":[]})");
    OcrClient client("id", "ak", "sk", CloudSite{server.Origin(), L""});
    auto tokenStart = std::chrono::steady_clock::now();
    client.GetAccessToken();
    std::chrono::duration<double> tokenSeconds = std::chrono::steady_clock::now() - tokenStart;
    allocation_counter::ResetPeak();
    before = allocation_counter::CurrentBytes();
    auto start = std::chrono::steady_clock::now();
    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, picture, kGeneralOptions);
    std::chrono::duration<double> postSeconds = std::chrono::steady_clock::now() - start;
    size_t postPeak = allocation_counter::PeakBytes() - before;

    double pictureMiB = static_cast<double>(size) / kMiB;
    std::printf("picture %4.0f MiB\n", pictureMiB);
    std::printf("  Base64                 %8.0f MiB/s\n", MiBPerSecond(size, base64Seconds));
    std::printf("  escaping (of Base64)   %8.0f MiB/s\n",
                MiBPerSecond(base64.size(), escapeSeconds));
    std::printf("  whole body building   %8.0f MiB/s  (%.1f ms)\n", MiBPerSecond(size, bodySeconds),
                bodySeconds * 1000);
    std::printf("  memcpy, new buffer     %8.0f MiB/s  body building = 1/%.1f of it\n",
                MiBPerSecond(size, copySeconds), bodySeconds / copySeconds);
    std::printf("  memcpy, warm buffer    %8.0f MiB/s  body building = 1/%.1f of it\n",
                MiBPerSecond(size, memcpySeconds), bodySeconds / memcpySeconds);
    std::printf("  peak extra memory, body building  %6.2f MiB = %.2f x picture\n",
                static_cast<double>(bodyPeak) / kMiB, static_cast<double>(bodyPeak) / size);
    std::printf("  token from loopback       %7.1f ms\n", tokenSeconds.count() * 1000);
    std::printf("  post to loopback          %7.1f ms, answer log_id %d\n",
                postSeconds.count() * 1000, answer["log_id"].asInt());
    std::printf("  peak extra memory, whole request  %6.2f MiB = %.2f x picture\n",
                static_cast<double>(postPeak) / kMiB, static_cast<double>(postPeak) / size);
    if (sink == 0) std::printf("(nothing measured)\n");
}

}  // namespace

int main() {
    allocation_counter::CountThisThread();
    for (size_t mib : {1, 4, 16}) Measure(mib * kMiB);
    return 0;
}
