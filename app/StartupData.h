#pragma once

#include <string>

#include "app/AppFolders.h"
#include "app/OemSettings.h"
#include "app/ProductRegistry.h"

// The application id, API key and secret key of the cloud OCR service
// (language texts "AAI", "AAK", "ASK"); empty when the language file lacks them.
struct ServiceCredentials {
    std::string appId;
    std::string apiKey;
    std::string secretKey;
};

ServiceCredentials ReadServiceCredentials();

// What the process knows before its first window: folders, the stored
// account, the service credentials, the partner and the service hosts.
struct StartupData {
    AppFolders folders;
    StoredAccount account;
    ServiceCredentials credentials;
    OemSettings oem;
};

// Fills the start-up data for folders: points the language lookups at the
// install folder's language file, makes the stored account the process's
// account, and reads the credentials and "oem.ini".
StartupData LoadStartupData(AppFolders folders, const ProductRegistry& registry);

// The start-up data of the process, set once before other threads start.
const StartupData& CurrentStartupData();
void SetCurrentStartupData(StartupData data);
