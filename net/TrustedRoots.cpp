#include "net/TrustedRoots.h"

#include <windows.h>
// wincrypt.h needs the types of windows.h.
#include <wincrypt.h>

#include <map>
#include <mutex>

#include "common/Base64.h"
#include "common/FileSystem.h"
#include "common/Wine.h"

namespace {

// PEM wraps Base64 at 64 characters a line.
constexpr size_t kPemLineLength = 64;

void AppendPem(std::string& pem, const CERT_CONTEXT& certificate) {
    std::string base64 = Base64Encode(std::string_view(
        reinterpret_cast<const char*>(certificate.pbCertEncoded), certificate.cbCertEncoded));
    pem += "-----BEGIN CERTIFICATE-----\n";
    for (size_t at = 0; at < base64.size(); at += kPemLineLength) {
        pem.append(base64, at, kPemLineLength);
        pem += '\n';
    }
    pem += "-----END CERTIFICATE-----\n";
}

std::string ReadSystemRoots() {
    std::string pem;
    HCERTSTORE store = CertOpenSystemStoreW(0, L"ROOT");
    if (!store) return pem;
    const CERT_CONTEXT* certificate = nullptr;
    while ((certificate = CertEnumCertificatesInStore(store, certificate)) != nullptr) {
        AppendPem(pem, *certificate);
    }
    CertCloseStore(store, 0);
    return pem;
}

}  // namespace

const std::string& SystemRootCertificatesPem() {
    // Read once: the stores hold a few hundred certificates and every
    // service request needs them. Never destroyed, so that a transfer still
    // running while the process ends does not read freed memory.
    static const std::string* const pem = new std::string(ReadSystemRoots());
    return *pem;
}

const std::string& TrustBundleWith(const std::wstring& caFile) {
    // Never destroyed, like the roots.
    static std::mutex* const mutex = new std::mutex;
    static auto* const bundles = new std::map<std::wstring, std::string>;
    std::lock_guard<std::mutex> lock(*mutex);
    auto found = bundles->find(caFile);
    if (found != bundles->end()) return found->second;
    std::string authorities;
    if (!ReadFileBytes(caFile, authorities)) return SystemRootCertificatesPem();
    // Map entries never move, so the reference stays valid for the process.
    return bundles->emplace(caFile, SystemRootCertificatesPem() + '\n' + authorities).first->second;
}

const std::string* ServiceTrustBundle(const std::wstring& caFile, PeerChecks system) {
    if (!caFile.empty()) return &TrustBundleWith(caFile);
    if (system == PeerChecks::ByBundleOnly) return &SystemRootCertificatesPem();
    return nullptr;
}

PeerChecks SystemPeerChecks() {
    return RunningUnderWine() ? PeerChecks::ByBundleOnly : PeerChecks::BySystem;
}
