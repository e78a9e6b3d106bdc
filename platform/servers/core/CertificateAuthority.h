#pragma once
// The stand-in cloud API's TLS identity: a private certificate authority and
// a server certificate it signs for "localhost" and 127.0.0.1. Made on first
// start and kept in the server's data folder, so the authority's PEM (what
// the program's CaFile points at) stays the same across restarts.

#include <optional>
#include <string>

namespace pimlo::servers {

struct TlsFiles {
    std::string authorityPem;    // the authority's certificate
    std::string certificatePem;  // the server's certificate
    std::string privateKeyPem;   // the server's private key
};

// Returns the files in `folder`, creating all three when any is missing or
// the server certificate no longer verifies against the authority (expired,
// damaged); nullopt when they cannot be made or written.
std::optional<TlsFiles> EnsureTlsFiles(const std::string& folder);

}  // namespace pimlo::servers
