#pragma once
// The tests' code-signing authority among the user's trusted roots while an
// object of this class lives, so signatures made with it are accepted.
//
// Under Wine the chain engine of a process reads the trusted roots once, at
// the process's first certificate check, and keeps them until it ends: a
// check that must see this authority trusted (or no longer trusted) runs in
// a process started after the change.

#include <windows.h>

#include <wincrypt.h>

#include <string>

#include "common/FileSystem.h"

class TrustedTestRoot {
public:
    // derPath: the authority's certificate, DER-encoded. If it is trusted
    // already, it stays so and is left alone afterwards.
    explicit TrustedTestRoot(const std::wstring& derPath) {
        std::string der;
        // The user's roots: the ones the default chain engine trusts, under
        // Wine as on Windows (which adds the machine's).
        store_ =
            CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
        if (!store_ || !ReadFileBytes(derPath, der)) return;
        if (CertAddEncodedCertificateToStore(
                store_, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                static_cast<DWORD>(der.size()), CERT_STORE_ADD_NEW, &added_)) {
            trusted_ = Commit();
        } else {
            trusted_ = GetLastError() == static_cast<DWORD>(CRYPT_E_EXISTS);
        }
    }
    ~TrustedTestRoot() {
        // Deleting frees the context too.
        if (added_ && CertDeleteCertificateFromStore(added_)) Commit();
        if (store_) CertCloseStore(store_, 0);
    }
    TrustedTestRoot(const TrustedTestRoot&) = delete;
    TrustedTestRoot& operator=(const TrustedTestRoot&) = delete;

    // Whether the authority is trusted now (added by this object or before it).
    bool Trusted() const { return trusted_; }

private:
    // Writes the change through to the registry now: a registry-backed
    // store otherwise keeps it to itself until it is closed.
    bool Commit() const { return CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr); }

    HCERTSTORE store_ = nullptr;
    PCCERT_CONTEXT added_ = nullptr;
    bool trusted_ = false;
};
