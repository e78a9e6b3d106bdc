#pragma once
// The account service's request signature: the lower-case hexadecimal MD5 of
// the signed parameters as "name=value" pairs in ascending order of their
// names, joined by "&", followed directly by the signing text shared with
// the program. The values are signed as received, before any checks.

#include <httplib.h>

#include <string>
#include <vector>

namespace pimlo::servers {

// The text that is signed for `names` (given in any order); a parameter the
// request lacks is signed as an empty value.
std::string SignedText(const httplib::Params& params, std::vector<std::string> names);

// True when the request's parameter "s" is the signature of `names`.
bool IsSigned(const httplib::Params& params, const std::vector<std::string>& names,
              const std::string& signKey);

}  // namespace pimlo::servers
