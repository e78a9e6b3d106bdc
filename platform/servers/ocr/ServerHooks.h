#pragma once
// Server-wide behaviour the cloud OCR API needs from cpp-httplib, limited to
// requests whose path starts with one of the given prefixes, so that other
// hosts sharing the server keep the library's defaults.

#include <httplib.h>

#include <string>
#include <vector>

namespace pimlo::servers {

// cpp-httplib 0.11 answers 413 to every url-encoded body over 8 KiB before a
// route runs (a limit compiled into the library), which would refuse every
// picture. Before the body is read, its content type is rewritten in
// capitals: media types compare without regard to case, so the request means
// the same, but the library's case-sensitive check no longer matches. The
// body is then bounded only by the server's payload limit, and the routes
// parse it themselves (RequestFields).
void AcceptLargeFormBodies(httplib::Server& server, std::vector<std::string> pathPrefixes);

// Answers the library's own refusals (no such route or method, body over the
// payload limit) with the provider's error object instead of an empty page.
void AnswerRefusalsAsApiErrors(httplib::Server& server, std::vector<std::string> pathPrefixes);

}  // namespace pimlo::servers
