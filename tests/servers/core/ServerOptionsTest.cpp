#include <gtest/gtest.h>

#include "platform/servers/core/ServerOptions.h"
#include "platform/servers/core/StateFile.h"

namespace pimlo::servers {
namespace {

const std::vector<std::string> kRequired = {"--data",       "/tmp/d", "--api-key",  "k",
                                            "--secret-key", "s",      "--sign-key", "t"};

std::vector<std::string> With(std::vector<std::string> extra) {
    std::vector<std::string> all = kRequired;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

TEST(ServerOptions, ReadsEveryOptionAndDefaultsTheRest) {
    std::string problem;
    auto options = ParseServerOptions(
        With({"--ocr-port", "8443", "--control-port", "0", "--state", "/tmp/s.json"}), problem);
    ASSERT_TRUE(options) << problem;
    EXPECT_EQ(options->ocrPort, 8443);
    EXPECT_EQ(options->updatePort, 0);
    EXPECT_EQ(options->stateFile, "/tmp/s.json");
    EXPECT_EQ(options->signKey, "t");
    EXPECT_EQ(options->updateFolder, "/tmp/d/update");
}

TEST(ServerOptions, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> refused = {
        {"--data", "/tmp/d"},           // credentials missing
        With({"--ocr-port"}),           // no value
        With({"--ocr-port", "65536"}),  // out of range
        With({"--ocr-port", "-1"}),     // negative
        With({"--ocr-port", "80x"}),    // not a number
        With({"--colour", "blue"}),     // unknown
    };
    for (const auto& arguments : refused) {
        std::string problem;
        EXPECT_FALSE(ParseServerOptions(arguments, problem)) << arguments.back();
        EXPECT_FALSE(problem.empty());
    }
}

TEST(StateFile, NamesEveryHostOnLoopbackAndTheAuthority) {
    std::string json = StateJson({1, 2, 3, 4, 5, "/x/authority.pem"});
    for (const char* part : {"\"ocr\" : \"127.0.0.1:1\"", "\"update\" : \"127.0.0.1:2\"",
                             "\"report\" : \"127.0.0.1:3\"", "\"account\" : \"127.0.0.1:4\"",
                             "\"control\" : \"127.0.0.1:5\"", "\"ca\" : \"/x/authority.pem\""})
        EXPECT_NE(json.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace pimlo::servers
