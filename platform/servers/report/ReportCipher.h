#pragma once
// Opens a report body: Base64 text of the report's JSON encrypted with
// AES-128 in ECB mode with PKCS#7 padding under the key shared with the
// program.

#include <optional>
#include <string>

namespace pimlo::servers {

// The key text the program encrypts its reports with.
inline constexpr char kReportKey[] = "Qkv#Rt!512#PLUMX";

// The plain text; nullopt when the body is not Base64, not whole cipher
// blocks, or does not end in valid padding under the report key.
std::optional<std::string> DecryptReport(const std::string& body);

}  // namespace pimlo::servers
