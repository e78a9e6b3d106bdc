#pragma once
// HTTP basic credentials of a request.

#include <httplib.h>

#include <string>

namespace pimlo::servers {

// True when the request's Authorization header is the basic scheme (in any
// letter case) carrying exactly "user:password".
bool HasBasicCredentials(const httplib::Request& request, const std::string& user,
                         const std::string& password);

}  // namespace pimlo::servers
