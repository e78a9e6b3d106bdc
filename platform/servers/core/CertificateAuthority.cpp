#include "platform/servers/core/CertificateAuthority.h"

#include <fcntl.h>
#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace pimlo::servers {

namespace {

using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using CertPtr = std::unique_ptr<X509, decltype(&X509_free)>;
using StorePtr = std::unique_ptr<X509_STORE, decltype(&X509_STORE_free)>;
using StoreContextPtr = std::unique_ptr<X509_STORE_CTX, decltype(&X509_STORE_CTX_free)>;
using FilePtr = std::unique_ptr<FILE, decltype(&fclose)>;

constexpr int kKeyBits = 2048;
constexpr long kAuthorityDays = 3650;
// Kept short of the 398 days that clients accept for server certificates.
constexpr long kServerDays = 365;
// Back-dated a day so a client whose clock runs a little behind still
// accepts a certificate made a moment ago.
constexpr long kBackdateSeconds = 24 * 60 * 60;

KeyPtr NewKey() { return KeyPtr(EVP_RSA_gen(kKeyBits), EVP_PKEY_free); }

bool AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (!extension) return false;
    bool added = X509_add_ext(cert, extension, -1) == 1;
    X509_EXTENSION_free(extension);
    return added;
}

bool SetRandomSerial(X509* cert) {
    unsigned char bytes[16];
    if (RAND_bytes(bytes, sizeof bytes) != 1) return false;
    bytes[0] &= 0x7f;  // serial numbers are positive
    BIGNUM* number = BN_bin2bn(bytes, sizeof bytes, nullptr);
    bool set = number && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert)) != nullptr;
    BN_free(number);
    return set;
}

// A certificate for `key` named `commonName`, valid from yesterday for
// `days`, not yet signed and without extensions.
CertPtr NewCertificate(EVP_PKEY* key, const char* commonName, long days) {
    CertPtr cert(X509_new(), X509_free);
    if (!cert || X509_set_version(cert.get(), 2) != 1 || !SetRandomSerial(cert.get()))
        return CertPtr(nullptr, X509_free);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -kBackdateSeconds);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), days * 24 * 60 * 60);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("PimloOCR stand-ins"), -1, -1,
                               0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    if (X509_set_pubkey(cert.get(), key) != 1) return CertPtr(nullptr, X509_free);
    return cert;
}

CertPtr MakeAuthority(EVP_PKEY* key) {
    CertPtr cert = NewCertificate(key, "PimloOCR stand-in authority", kAuthorityDays);
    if (!cert) return cert;
    X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get()));
    bool made =
        AddExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE") &&
        AddExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign") &&
        AddExtension(cert.get(), cert.get(), NID_subject_key_identifier, "hash") &&
        X509_sign(cert.get(), key, EVP_sha256()) > 0;
    return made ? std::move(cert) : CertPtr(nullptr, X509_free);
}

CertPtr MakeServerCertificate(EVP_PKEY* key, X509* authority, EVP_PKEY* authorityKey) {
    CertPtr cert = NewCertificate(key, "localhost", kServerDays);
    if (!cert) return cert;
    X509_set_issuer_name(cert.get(), X509_get_subject_name(authority));
    bool made =
        AddExtension(cert.get(), authority, NID_basic_constraints, "critical,CA:FALSE") &&
        AddExtension(cert.get(), authority, NID_key_usage,
                     "critical,digitalSignature,keyEncipherment") &&
        AddExtension(cert.get(), authority, NID_ext_key_usage, "serverAuth") &&
        AddExtension(cert.get(), authority, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1") &&
        AddExtension(cert.get(), authority, NID_authority_key_identifier, "keyid:always") &&
        X509_sign(cert.get(), authorityKey, EVP_sha256()) > 0;
    return made ? std::move(cert) : CertPtr(nullptr, X509_free);
}

FilePtr Open(const std::string& path, const char* mode) {
    return FilePtr(std::fopen(path.c_str(), mode), fclose);
}

CertPtr ReadCertificate(const std::string& path) {
    FilePtr file = Open(path, "rb");
    if (!file) return CertPtr(nullptr, X509_free);
    return CertPtr(PEM_read_X509(file.get(), nullptr, nullptr, nullptr), X509_free);
}

bool WriteCertificate(const std::string& path, X509* cert) {
    FilePtr file = Open(path, "wb");
    return file && PEM_write_X509(file.get(), cert) == 1;
}

// Only the owner may read the key.
bool WritePrivateKey(const std::string& path, EVP_PKEY* key) {
    int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (descriptor < 0) return false;
    FilePtr file(fdopen(descriptor, "wb"), fclose);
    if (!file) close(descriptor);
    return file &&
           PEM_write_PrivateKey(file.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
}

bool KeyFileMatches(const std::string& path, X509* cert) {
    FilePtr file = Open(path, "rb");
    if (!file) return false;
    KeyPtr key(PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
    return key && X509_check_private_key(cert, key.get()) == 1;
}

// True when the kept files still make a working identity: the server
// certificate verifies against the authority today and matches the key.
bool StillUsable(const TlsFiles& files) {
    CertPtr authority = ReadCertificate(files.authorityPem);
    CertPtr server = ReadCertificate(files.certificatePem);
    if (!authority || !server || !KeyFileMatches(files.privateKeyPem, server.get())) return false;
    StorePtr store(X509_STORE_new(), X509_STORE_free);
    StoreContextPtr context(X509_STORE_CTX_new(), X509_STORE_CTX_free);
    if (!store || !context || X509_STORE_add_cert(store.get(), authority.get()) != 1) return false;
    if (X509_STORE_CTX_init(context.get(), store.get(), server.get(), nullptr) != 1) return false;
    return X509_verify_cert(context.get()) == 1;
}

bool MakeIdentity(const TlsFiles& files) {
    KeyPtr authorityKey = NewKey();
    KeyPtr serverKey = NewKey();
    if (!authorityKey || !serverKey) return false;
    CertPtr authority = MakeAuthority(authorityKey.get());
    if (!authority) return false;
    CertPtr server = MakeServerCertificate(serverKey.get(), authority.get(), authorityKey.get());
    // The authority's own key is not kept: nothing else is ever signed with it.
    return server && WriteCertificate(files.authorityPem, authority.get()) &&
           WriteCertificate(files.certificatePem, server.get()) &&
           WritePrivateKey(files.privateKeyPem, serverKey.get());
}

}  // namespace

std::optional<TlsFiles> EnsureTlsFiles(const std::string& folder) {
    TlsFiles files{folder + "/authority.pem", folder + "/server.pem", folder + "/server.key"};
    if (StillUsable(files) || (MakeIdentity(files) && StillUsable(files))) return files;
    return std::nullopt;
}

}  // namespace pimlo::servers
