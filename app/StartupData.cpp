#include "app/StartupData.h"

#include "app/LanguageFile.h"
#include "app/LanguageText.h"
#include "app/SignedInAccount.h"

namespace {

StartupData& Current() {
    static StartupData data;
    return data;
}

}  // namespace

ServiceCredentials ReadServiceCredentials() {
    return {ByteText(TextKeys::AAI), ByteText(TextKeys::AAK), ByteText(TextKeys::ASK)};
}

StartupData LoadStartupData(AppFolders folders, const ProductRegistry& registry) {
    StartupData data;
    SetLanguageFilePath(LanguageFilePathFor(folders.installFolder));
    data.account = LoadStoredAccount(registry);
    data.credentials = ReadServiceCredentials();
    data.oem = ReadOemSettings(folders.installFolder);
    data.folders = std::move(folders);
    return data;
}

const StartupData& CurrentStartupData() { return Current(); }

void SetCurrentStartupData(StartupData data) { Current() = std::move(data); }
