#pragma once
// The named fields of a request to the cloud OCR API: the query's and those
// of an "application/x-www-form-urlencoded" body.

#include <httplib.h>

#include <map>
#include <string>
#include <string_view>

namespace pimlo::servers {

using FormFields = std::map<std::string, std::string>;

// "a=1&b=%2B2&" into {a: "1", b: "+2"}: "%XX" escapes and "+" (a space) are
// decoded, a pair without "=" has an empty value, empty pairs are skipped and
// the first of two equal names wins. A broken escape is kept as it stands.
FormFields ParseFormBody(std::string_view body);

// The query's fields, then the body's when it is url-encoded; a name in both
// keeps the query's value.
FormFields RequestFields(const httplib::Request& request);

}  // namespace pimlo::servers
