#pragma once
// Serves an httplib server on a free loopback port from a background thread
// for the length of a test, with a client to reach it.

#include <httplib.h>

#include <chrono>
#include <memory>
#include <thread>

namespace pimlo::servers::testing {

class ServerThread {
public:
    explicit ServerThread(httplib::Server& server) : server_(server) {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (port_ > 0 && !server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~ServerThread() {
        server_.stop();
        thread_.join();
    }
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    int Port() const { return port_; }
    std::unique_ptr<httplib::Client> Client() const {
        auto client = std::make_unique<httplib::Client>("127.0.0.1", port_);
        client->set_read_timeout(30, 0);
        return client;
    }

private:
    httplib::Server& server_;
    int port_ = -1;
    std::thread thread_;
};

}  // namespace pimlo::servers::testing
