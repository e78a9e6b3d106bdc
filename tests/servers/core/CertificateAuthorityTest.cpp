// The stand-in's TLS identity: made once, kept across restarts, remade when
// damaged, and accepted by a verifying client for localhost and 127.0.0.1.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/servers/core/CertificateAuthority.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(CertificateAuthority, KeepsItsFilesAcrossStartsAndRemakesThemWhenDamaged) {
    testing::TemporaryFolder folder;
    auto first = EnsureTlsFiles(folder.Path());
    ASSERT_TRUE(first);
    std::string authority = ReadAll(first->authorityPem);
    EXPECT_NE(authority.find("BEGIN CERTIFICATE"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(first->privateKeyPem).permissions() &
                  std::filesystem::perms::others_read,
              std::filesystem::perms::none);

    auto again = EnsureTlsFiles(folder.Path());
    ASSERT_TRUE(again);
    EXPECT_EQ(ReadAll(again->authorityPem), authority) << "a restart must keep the authority";

    std::ofstream(first->certificatePem, std::ios::trunc) << "damaged";
    auto remade = EnsureTlsFiles(folder.Path());
    ASSERT_TRUE(remade);
    EXPECT_NE(ReadAll(remade->authorityPem), authority);
    EXPECT_NE(ReadAll(remade->certificatePem).find("BEGIN CERTIFICATE"), std::string::npos);
}

TEST(CertificateAuthority, AnUnwritableFolderGivesNothing) {
    EXPECT_FALSE(EnsureTlsFiles("/nonexistent/folder/for/tls"));
}

TEST(CertificateAuthority, AVerifyingClientTrustsTheServerThroughTheAuthority) {
    testing::TemporaryFolder folder;
    auto files = EnsureTlsFiles(folder.Path());
    ASSERT_TRUE(files);
    httplib::SSLServer server(files->certificatePem.c_str(), files->privateKeyPem.c_str());
    ASSERT_TRUE(server.is_valid());
    server.Get("/", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("trusted", "text/plain");
    });
    testing::ServerThread thread(server);

    for (const char* host : {"localhost", "127.0.0.1"}) {
        httplib::SSLClient client(host, thread.Port());
        client.set_ca_cert_path(files->authorityPem.c_str());
        client.enable_server_certificate_verification(true);
        auto answer = client.Get("/");
        ASSERT_TRUE(answer) << host << ": " << httplib::to_string(answer.error());
        EXPECT_EQ(answer->body, "trusted");
    }

    httplib::SSLClient untrusting("localhost", thread.Port());
    untrusting.enable_server_certificate_verification(true);
    EXPECT_FALSE(untrusting.Get("/")) << "without the authority the server must not be trusted";
}

}  // namespace
}  // namespace pimlo::servers
