#pragma once

#include <string>

// Whether the file at path carries an Authenticode signature that the system
// accepts: intact, made by a certificate for code signing that chains to a
// trusted root. Asks no user and fetches no revocation list, so it works
// offline and never blocks on the network. Anything else (no signature, a
// changed file, an untrusted publisher, a missing or unreadable file) is
// false.
bool HasTrustedSignature(const std::wstring& path);
