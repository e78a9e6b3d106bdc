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
