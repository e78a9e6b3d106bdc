#pragma once
// Routes of one stand-in host. Every request is recorded on the control
// board, and a scripted answer waiting for it is applied around the host's
// own handler: the delay first; a given status or body replaces the handler;
// closing early cuts whatever answer was made.

#include <httplib.h>

#include <functional>
#include <string>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

// `script` is the scripted answer this request took, or null; the handler
// applies the parts that only its host understands (errorCode, expiredToken).
using RouteHandler = std::function<void(const httplib::Request& request,
                                        httplib::Response& response, const ScriptedAnswer* script)>;

class HostRouter {
public:
    HostRouter(httplib::Server& server, ControlBoard& board, std::string host);

    void Get(const std::string& pattern, RouteHandler handler);
    // The handler gets the whole body in request.body; form bodies are not
    // parsed into request.params.
    void Post(const std::string& pattern, RouteHandler handler);

private:
    httplib::Server::Handler Wrap(RouteHandler handler) const;

    httplib::Server& server_;
    ControlBoard& board_;
    std::string host_;
};

}  // namespace pimlo::servers
