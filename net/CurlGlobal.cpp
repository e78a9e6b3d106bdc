#include "net/CurlGlobal.h"

#include <curl/curl.h>

#include "common/DebugTrace.h"

namespace {

class CurlGlobal {
public:
    CurlGlobal() {
        if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
            DebugTrace(L"curl_global_init return code err.\n");
        }
    }
    ~CurlGlobal() { curl_global_cleanup(); }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
};

}  // namespace

void EnsureCurlGlobalInit() {
    // A function-local static is initialised exactly once, even when several
    // threads arrive here together.
    static CurlGlobal global;
}
