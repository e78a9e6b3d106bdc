#include <gtest/gtest.h>

#include "platform/servers/ocr/DailyQuota.h"
#include "platform/servers/ocr/TokenGrant.h"
#include "platform/servers/ocr/TokenStore.h"

namespace pimlo::servers {
namespace {

struct FakeClock {
    int64_t now = 1700000000;
    UnixClock Get() {
        return [this] { return now; };
    }
};

TEST(TokenStoreTest, TokenIsValidUntilItsLifetimeEnds) {
    FakeClock clock;
    TokenStore tokens(clock.Get());
    const IssuedToken token = tokens.Issue();

    clock.now += TokenStore::kLifetimeSeconds - 1;
    EXPECT_EQ(tokens.Check(token.accessToken), TokenState::Valid);
    clock.now += 1;
    EXPECT_EQ(tokens.Check(token.accessToken), TokenState::Expired);
}

TEST(TokenStoreTest, TokensNotIssuedHereAreUnknown) {
    TokenStore tokens;
    const IssuedToken token = tokens.Issue();
    EXPECT_EQ(tokens.Check(""), TokenState::Unknown);
    EXPECT_EQ(tokens.Check(token.refreshToken), TokenState::Unknown);
    EXPECT_EQ(tokens.Check(token.accessToken + "x"), TokenState::Unknown);
    EXPECT_NE(tokens.Issue().accessToken, token.accessToken);
}

class TokenGrantTest : public ::testing::Test {
protected:
    GrantAnswer Grant(FormFields fields) { return GrantToken(fields, client_, tokens_); }

    ClientCredentials client_{"api-key", "secret-key"};
    TokenStore tokens_;
};

TEST_F(TokenGrantTest, ConfiguredClientGetsAThirtyDayTokenThatTheStoreKnows) {
    const GrantAnswer answer = Grant({{"grant_type", "client_credentials"},
                                      {"client_id", "api-key"},
                                      {"client_secret", "secret-key"}});

    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.body["expires_in"].asInt64(), 2592000);
    EXPECT_FALSE(answer.body["scope"].asString().empty());
    for (const char* member : {"refresh_token", "session_key", "session_secret"})
        EXPECT_FALSE(answer.body[member].asString().empty()) << member;
    EXPECT_EQ(tokens_.Check(answer.body["access_token"].asString()), TokenState::Valid);
}

TEST_F(TokenGrantTest, RefusalsFollowTheOAuthErrors) {
    struct Case {
        FormFields fields;
        int status;
        const char* error;
        const char* description;
    } cases[] = {
        {{{"client_id", "api-key"}, {"client_secret", "secret-key"}},
         400,
         "unsupported_grant_type",
         "The authorization grant type is not supported"},
        {{{"grant_type", "password"}, {"client_id", "api-key"}, {"client_secret", "secret-key"}},
         400,
         "unsupported_grant_type",
         "The authorization grant type is not supported"},
        {{{"grant_type", "client_credentials"},
          {"client_id", "other"},
          {"client_secret", "secret-key"}},
         401,
         "invalid_client",
         "unknown client id"},
        {{{"grant_type", "client_credentials"},
          {"client_id", "api-key"},
          {"client_secret", "wrong"}},
         401,
         "invalid_client",
         "Client authentication failed"},
        {{{"grant_type", "client_credentials"}, {"client_id", "api-key"}},
         401,
         "invalid_client",
         "Client authentication failed"},
    };
    for (const Case& c : cases) {
        const GrantAnswer answer = Grant(c.fields);
        EXPECT_EQ(answer.status, c.status) << c.description;
        EXPECT_EQ(answer.body["error"].asString(), c.error);
        EXPECT_EQ(answer.body["error_description"].asString(), c.description);
        EXPECT_FALSE(answer.body.isMember("access_token"));
    }
}

TEST(TokenGrantEmptyKeyTest, HostWithoutCredentialsRefusesEmptyOnes) {
    TokenStore tokens;
    const GrantAnswer answer =
        GrantToken({{"grant_type", "client_credentials"}, {"client_id", ""}, {"client_secret", ""}},
                   {"", ""}, tokens);
    EXPECT_EQ(answer.body["error"].asString(), "invalid_client");
}

TEST(DailyQuotaTest, AllowanceEndsAndReturnsAtBeijingMidnight) {
    FakeClock clock;
    // 15:59:59 UTC is 23:59:59 in Beijing.
    clock.now = 1700000000 - (1700000000 % 86400) + 15 * 3600 + 3599;
    DailyQuota quota(2, clock.Get());

    EXPECT_TRUE(quota.Take());
    EXPECT_TRUE(quota.Take());
    EXPECT_FALSE(quota.Take());
    clock.now += 1;
    EXPECT_TRUE(quota.Take());
}

}  // namespace
}  // namespace pimlo::servers
