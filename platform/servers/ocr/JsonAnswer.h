#pragma once

#include <httplib.h>
#include <json/value.h>

namespace pimlo::servers {

// Sends the value as compact JSON with UTF-8 text written as it is (not as
// \u escapes), the way the provider answers.
void SendJson(httplib::Response& response, const Json::Value& value, int status = 200);

}  // namespace pimlo::servers
