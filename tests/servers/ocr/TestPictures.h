#pragma once
// Pictures and picture text for the cloud OCR API's tests and benchmark.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "tests/servers/support/Base64Encode.h"

namespace pimlo::servers::testing {

// PNG bytes drawn by ImageMagick's convert with the given arguments (for
// example "-size 100x40 xc:white"); empty when convert is missing.
inline std::string Rendered(const std::string& convertArguments) {
    const std::string command = "convert " + convertArguments + " png:- 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string bytes;
    char buffer[65536];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof(buffer), pipe.get())) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

// Base64 escaped for a form body: "+", "/" and "=" as %2B, %2F and %3D.
inline std::string FormBase64(const std::string& bytes) {
    std::string escaped;
    for (char c : Base64(bytes)) {
        if (c == '+')
            escaped += "%2B";
        else if (c == '/')
            escaped += "%2F";
        else if (c == '=')
            escaped += "%3D";
        else
            escaped += c;
    }
    return escaped;
}

}  // namespace pimlo::servers::testing
