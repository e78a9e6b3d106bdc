// The service's answer to the access token request, as the client reads and
// keeps it, followed by a request that carries the token.

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ScriptedService service(std::string(reinterpret_cast<const char*>(data), size), {"{}"});

    const std::unique_ptr<OcrClient> client = ScriptedClient();
    client->GetAccessToken();
    // Either the cached token or a fresh one, by the expiry just read.
    client->GetAccessToken();
    client->Request(client->EndpointUrl(OcrEndpoint::GeneralBasic), {}, {}, {});
    return 0;
}
