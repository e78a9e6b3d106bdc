#pragma once

#include <httplib.h>

#include <string>

namespace pimlo::servers {

// The first value of the query parameter `name`; empty when it is missing.
inline std::string QueryParam(const httplib::Params& params, const std::string& name) {
    auto found = params.find(name);
    return found == params.end() ? std::string() : found->second;
}

}  // namespace pimlo::servers
