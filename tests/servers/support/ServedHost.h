#pragma once
// Runs one stand-in host on a free loopback port for the length of a test,
// and gives a client for it.

#include <httplib.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace pimlo::servers::testing {

class ServedHost {
public:
    // `mount` adds the host's routes; the server starts listening at once.
    template <typename Host>
    explicit ServedHost(Host& host) {
        host.Mount(server_);
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0) throw std::runtime_error("no free loopback port");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~ServedHost() {
        server_.stop();
        thread_.join();
    }

    ServedHost(const ServedHost&) = delete;
    ServedHost& operator=(const ServedHost&) = delete;

    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(std::chrono::seconds(10));
        return client;
    }

    int Port() const { return port_; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace pimlo::servers::testing
