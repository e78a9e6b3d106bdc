#pragma once

#include <string>

// The root certificates of the current user's and the machine's "ROOT"
// stores, as one PEM text, read once per process. libcurl's Schannel back end trusts only the
// authorities of a CA bundle once one is given, so a bundle that adds our own
// authority must carry the system's roots too.
const std::string& SystemRootCertificatesPem();

// The system's roots followed by the PEM file at caFile. When the file can
// not be read the result holds the system's roots alone, so that nothing
// beyond them is trusted.
std::string TrustBundleWith(const std::wstring& caFile);
