#include "platform/servers/report/BasicCredentials.h"

#include <strings.h>

#include <optional>

#include "platform/servers/core/Base64Decode.h"

namespace pimlo::servers {

bool HasBasicCredentials(const httplib::Request& request, const std::string& user,
                         const std::string& password) {
    static constexpr char kScheme[] = "Basic ";
    static constexpr size_t kSchemeLength = sizeof(kScheme) - 1;
    std::string header = request.get_header_value("Authorization");
    if (header.size() <= kSchemeLength || strncasecmp(header.c_str(), kScheme, kSchemeLength) != 0)
        return false;
    std::optional<std::string> pair = DecodeBase64(header.substr(kSchemeLength));
    return pair && *pair == user + ":" + password;
}

}  // namespace pimlo::servers
