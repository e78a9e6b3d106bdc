#include "net/CurlSessionShare.h"

#include <mutex>

#include "net/CurlGlobal.h"

namespace {

// One lock for each kind of data libcurl shares.
std::mutex g_locks[CURL_LOCK_DATA_LAST];

void Lock(CURL*, curl_lock_data data, curl_lock_access, void*) { g_locks[data].lock(); }
void Unlock(CURL*, curl_lock_data data, void*) { g_locks[data].unlock(); }

}  // namespace

CURLSH* ServiceSessionShare() {
    static CURLSH* const share = [] {
        EnsureCurlGlobalInit();
        CURLSH* created = curl_share_init();
        if (!created) return created;
        curl_share_setopt(created, CURLSHOPT_LOCKFUNC, Lock);
        curl_share_setopt(created, CURLSHOPT_UNLOCKFUNC, Unlock);
        curl_share_setopt(created, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        curl_share_setopt(created, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        return created;
    }();
    return share;
}
