#pragma once

#include <thread>

// Does, on a thread of its own, the one-time work that would otherwise delay
// the first request to the cloud service by a quarter of a second: libcurl's
// process-wide initialisation (Schannel and the socket layer) and reading the
// system's root certificates where they are needed. Both are function-local statics, so a request
// that comes first simply waits for the same initialisation. The destructor
// waits for the thread, so the process never ends with it half done.
class TransportWarmUp {
public:
    TransportWarmUp();
    ~TransportWarmUp();
    TransportWarmUp(const TransportWarmUp&) = delete;
    TransportWarmUp& operator=(const TransportWarmUp&) = delete;

private:
    std::thread thread_;
};
