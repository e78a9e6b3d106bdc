#include "platform/servers/account/Signature.h"

#include <algorithm>

#include "platform/servers/account/Md5Hex.h"
#include "platform/servers/account/QueryParam.h"

namespace pimlo::servers {

std::string SignedText(const httplib::Params& params, std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) text += '&';
        text += name + "=" + QueryParam(params, name);
    }
    return text;
}

bool IsSigned(const httplib::Params& params, const std::vector<std::string>& names,
              const std::string& signKey) {
    auto signature = params.find("s");
    return signature != params.end() &&
           signature->second == Md5Hex(SignedText(params, names) + signKey);
}

}  // namespace pimlo::servers
