#include "net/CurlGlobal.h"

#include <curl/curl.h>

#include "common/DebugTrace.h"

namespace {

bool InitCurl() {
    if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
        DebugTrace(L"curl_global_init return code err.\n");
        return false;
    }
    return true;
}

}  // namespace

void EnsureCurlGlobalInit() {
    // A function-local static is initialised exactly once, even when several
    // threads arrive here together.
    static const bool initialised = InitCurl();
    (void)initialised;
}
