#pragma once
// The token path: the OAuth 2.0 client-credentials grant.

#include <json/value.h>

#include <string>

#include "platform/servers/ocr/FormFields.h"
#include "platform/servers/ocr/TokenStore.h"

namespace pimlo::servers {

struct ClientCredentials {
    std::string apiKey;     // client_id
    std::string secretKey;  // client_secret
};

struct GrantAnswer {
    int status = 200;
    Json::Value body;
};

// A new token for the configured client, or the OAuth error the provider
// answers: "unsupported_grant_type" (400) for a grant other than
// "client_credentials", "invalid_client" (401) for an unknown API key or a
// wrong secret key.
GrantAnswer GrantToken(const FormFields& fields, const ClientCredentials& client,
                       TokenStore& tokens);

}  // namespace pimlo::servers
