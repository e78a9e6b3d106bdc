#pragma once
// What the service tests share: registry keys of their own in place of the
// program's, and a reporting client aimed at a loopback server.

#include <gtest/gtest.h>

#include "app/ProductRegistry.h"
#include "services/ReportClient.h"
#include "tests/support/LoopbackHttpServer.h"

inline constexpr wchar_t kTestRegistryKey[] = L"Software\\PimloOCRTest";

// A fixture whose product registry lives under the test key, removed after
// each test.
class ServiceRegistryTest : public testing::Test {
protected:
    ~ServiceRegistryTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestRegistryKey); }

    static ProductRegistryPaths TestPaths() {
        ProductRegistryPaths paths;
        paths.user = {HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\User"};
        paths.machine = {HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\Machine"};
        return paths;
    }

    ProductRegistryPaths paths_ = TestPaths();
    ProductRegistry registry_{paths_};
};

// "127.0.0.1:port" of server.
inline std::wstring HostOf(const LoopbackHttpServer& server) {
    return L"127.0.0.1:" + std::to_wstring(server.Port());
}

// A reporting client that reports to server.
inline ReportClient ClientFor(const LoopbackHttpServer& server) {
    ReportClient client;
    ReportIdentity identity;
    identity.host = HostOf(server);
    client.Configure(identity);
    return client;
}
