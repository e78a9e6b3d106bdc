// The program-wide services that recognition reaches only through its default
// services, which the fuzz targets replace. Reaching one is a fault of the
// fuzz target, not of the code under test.

#include <cstdio>
#include <cstdlib>

#include "app/AppSettings.h"
#include "app/StartupData.h"
#include "engine/LocalEngineBridge.h"
#include "net/CurlByteClient.h"

namespace {

[[noreturn]] void NotFuzzed(const char* what) {
    std::fprintf(stderr, "%s is not part of the fuzzing build\n", what);
    std::abort();
}

}  // namespace

const StartupData& CurrentStartupData() { NotFuzzed("CurrentStartupData"); }
AppSettings& CurrentSettings() { NotFuzzed("CurrentSettings"); }
int32_t AppSettings::Get(Setting) const { NotFuzzed("AppSettings::Get"); }

LocalEngineBridge::LocalEngineBridge(const std::wstring&, const std::wstring&) {
    NotFuzzed("LocalEngineBridge");
}
LocalEngineBridge::~LocalEngineBridge() = default;
bool LocalEngineBridge::EngineAvailable() const { NotFuzzed("LocalEngineBridge"); }
bool LocalEngineBridge::Recognise(const std::wstring&, std::wstring&) {
    NotFuzzed("LocalEngineBridge");
}

bool CurlByteClient::Download(const std::string&, const std::string&) {
    NotFuzzed("CurlByteClient::Download");
}
