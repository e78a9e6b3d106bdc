#include "platform/servers/ocr/TokenGrant.h"

namespace pimlo::servers {

namespace {

std::string Field(const FormFields& fields, const std::string& name) {
    auto found = fields.find(name);
    return found == fields.end() ? std::string() : found->second;
}

GrantAnswer OAuthError(int status, const char* error, const char* description) {
    GrantAnswer answer;
    answer.status = status;
    answer.body["error"] = error;
    answer.body["error_description"] = description;
    return answer;
}

}  // namespace

GrantAnswer GrantToken(const FormFields& fields, const ClientCredentials& client,
                       TokenStore& tokens) {
    if (Field(fields, "grant_type") != "client_credentials")
        return OAuthError(400, "unsupported_grant_type",
                          "The authorization grant type is not supported");
    // Empty configured keys match nothing: a host started without credentials
    // refuses every client rather than accepting empty ones.
    if (client.apiKey.empty() || Field(fields, "client_id") != client.apiKey)
        return OAuthError(401, "invalid_client", "unknown client id");
    if (Field(fields, "client_secret") != client.secretKey)
        return OAuthError(401, "invalid_client", "Client authentication failed");

    const IssuedToken token = tokens.Issue();
    GrantAnswer answer;
    answer.body["refresh_token"] = token.refreshToken;
    answer.body["expires_in"] = Json::Int64(token.expiresIn);
    answer.body["session_key"] = token.sessionKey;
    answer.body["access_token"] = token.accessToken;
    answer.body["scope"] =
        "public brain_all_scope vis-ocr_ocr brain_ocr_scope wise_adapt lebo_resource_base";
    answer.body["session_secret"] = token.sessionSecret;
    return answer;
}

}  // namespace pimlo::servers
