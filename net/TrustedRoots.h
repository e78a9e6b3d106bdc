#pragma once

#include <string>

// The root certificates of the current user's and the machine's "ROOT"
// stores, as one PEM text, read once per process. libcurl's Schannel back end trusts only the
// authorities of a CA bundle once one is given, so a bundle that adds our own
// authority must carry the system's roots too.
const std::string& SystemRootCertificatesPem();

// The system's roots followed by the PEM file at caFile, valid for the life of
// the process. The file is read on the first call that finds it readable and
// kept, as every request to the service needs the bundle. When it can not be
// read the result holds the system's roots alone, so that nothing beyond them
// is trusted, and a later call tries the file again.
const std::string& TrustBundleWith(const std::wstring& caFile);

// Where the system's TLS layer checks the service's certificate chain and host
// name by itself (Windows' Schannel, which also fetches roots that Windows
// installs on demand).
enum class PeerChecks { BySystem, ByBundleOnly };

// The authorities the service's certificate is checked against, or null to
// leave the check to the system. A caFile always gives a bundle (the
// system's exported roots plus the file), as does a TLS layer that checks
// nothing by itself (Wine's).
const std::string* ServiceTrustBundle(const std::wstring& caFile, PeerChecks system);

// The peer checks of the system the program runs on: Wine's TLS layer
// accepts any certificate unless given a bundle.
PeerChecks SystemPeerChecks();
