#include "net/CurlSessionShare.h"

#include "net/CurlGlobal.h"

namespace {

// Owns one thread's share; closes its cached connections when the thread ends.
class ThreadShare {
public:
    ThreadShare() {
        EnsureCurlGlobalInit();
        share_ = curl_share_init();
        if (!share_) return;
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    }
    ~ThreadShare() {
        if (share_) curl_share_cleanup(share_);
    }
    ThreadShare(const ThreadShare&) = delete;
    ThreadShare& operator=(const ThreadShare&) = delete;

    CURLSH* get() const { return share_; }

private:
    CURLSH* share_ = nullptr;
};

}  // namespace

CURLSH* ServiceSessionShare() {
    thread_local ThreadShare share;
    return share.get();
}
