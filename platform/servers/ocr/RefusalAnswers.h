#pragma once
// The cloud OCR API's answer to requests that cpp-httplib refuses itself,
// limited to paths that start with one of the given prefixes, so that other
// hosts sharing the server keep the library's defaults.

#include <httplib.h>

#include <string>
#include <vector>

namespace pimlo::servers {

// Answers the library's own refusals (no such route or method, body over the
// payload limit) with the provider's error object instead of an empty page.
void AnswerRefusalsAsApiErrors(httplib::Server& server, std::vector<std::string> pathPrefixes);

}  // namespace pimlo::servers
