#include <gtest/gtest.h>

#include "platform/servers/account/SmsRateLimit.h"

namespace pimlo::servers {
namespace {

// Ten sends two hours apart pass every shorter window and fill the day.
TEST(SmsRateLimitTest, TheDayAllowsTenSends) {
    std::vector<int64_t> sends;
    for (int i = 0; i < 10; ++i) sends.push_back(i * 7200);
    EXPECT_EQ(SmsRateRefusal(sends, 86399), "SMSSendFrequent24h");
    EXPECT_EQ(SmsRateRefusal(sends, 86400), std::nullopt);
    sends.pop_back();
    EXPECT_EQ(SmsRateRefusal(sends, 86399), std::nullopt);
}

TEST(SmsRateLimitTest, TheShortestFullWindowNamesTheRefusal) {
    EXPECT_EQ(SmsRateRefusal({100, 110, 120, 130, 140}, 150), "SMSSendFrequent30s");
    EXPECT_EQ(SmsRateRefusal({100, 110, 120, 130, 140}, 171), "SMSSendFrequent5m");
    EXPECT_EQ(SmsRateRefusal({}, 0), std::nullopt);
}

}  // namespace
}  // namespace pimlo::servers
