#include "services/InstallerUpdate.h"

#include "app/ProfileFile.h"
#include "common/FileSystem.h"
#include "net/CurlTextClient.h"
#include "services/InstallerDownload.h"
#include "services/InstallerSignature.h"
#include "services/VersionManifest.h"

namespace {

constexpr int kInstallerDownloadedEvent = 4;
constexpr wchar_t kMainSection[] = L"Main";
constexpr wchar_t kPendingKey[] = L"HasNewInstaller";
// The version of the installer waiting, so it is let go once installed.
constexpr wchar_t kPendingVersionKey[] = L"NewInstallerVersion";
constexpr size_t kMaxVersionChars = 128;

std::wstring HostUrl(const UpdatePlace& place, const wchar_t* path) {
    return L"http://" + place.host + path;
}

}  // namespace

std::wstring InstallerPath(const UpdatePlace& place) {
    return JoinPath(place.dataFolder, L"PimloOCRSetup.exe");
}

std::optional<std::wstring> FetchOfferedVersion(const UpdatePlace& place) {
    const CurlTextClient client(CurlTextClient::AnswerEncoding::Ansi);
    return OfferedVersion(client.GetText(HostUrl(place, L"/windows/newversion.htm")));
}

void FetchCompanionFile(const UpdatePlace& place) {
    DownloadFile(HostUrl(place, L"/windows/cd.cab"), JoinPath(place.dataFolder, L"cd.dat"));
}

bool DownloadInstaller(const UpdatePlace& place, const std::wstring& version,
                       ReportClient& reports) {
    const std::wstring installer = InstallerPath(place);
    DeleteFileW(installer.c_str());
    if (FAILED(DownloadFile(HostUrl(place, L"/windows/PimloOCRSetup.exe"), installer))) {
        return false;
    }
    if (!HasTrustedSignature(installer)) {
        DeleteFileW(installer.c_str());
        return false;
    }
    WriteProfileText(place.settingsFile, kMainSection, kPendingVersionKey, version);
    WriteProfileInteger(place.settingsFile, kMainSection, kPendingKey, 1);
    reports.SendEvent(kInstallerDownloadedEvent);
    return true;
}

UpdateOutcome CheckForUpdate(const UpdatePlace& place, const ProductRegistry& registry,
                             ReportClient& reports, const std::function<void()>& downloadStarts) {
    const std::wstring installed = registry.InstalledVersion();
    const std::optional<std::wstring> offered = FetchOfferedVersion(place);
    FetchCompanionFile(place);
    if (!offered) return UpdateOutcome::NoVersion;
    if (!IsNewerVersion(*offered, installed)) return UpdateOutcome::NotUpdate;
    downloadStarts();
    return DownloadInstaller(place, *offered, reports) ? UpdateOutcome::Downloaded
                                                       : UpdateOutcome::UpdateFail;
}

void SilentUpdate(const UpdatePlace& place, const ProductRegistry& registry, ReportClient& reports,
                  bool canUpdate) {
    const std::wstring installed = registry.InstalledVersion();
    FetchCompanionFile(place);
    const std::optional<std::wstring> offered = FetchOfferedVersion(place);
    if (!offered || !canUpdate || HasPendingInstaller(place)) return;
    if (IsNewerVersion(*offered, installed)) DownloadInstaller(place, *offered, reports);
}

bool HasPendingInstaller(const UpdatePlace& place) {
    return ReadProfileInteger(place.settingsFile, kMainSection, kPendingKey, 0) != 0 &&
           FileExists(InstallerPath(place));
}

bool SettlePendingInstaller(const UpdatePlace& place, const ProductRegistry& registry) {
    if (!HasPendingInstaller(place)) return false;
    const std::wstring version = ReadProfileText(place.settingsFile, kMainSection,
                                                 kPendingVersionKey, L"", kMaxVersionChars);
    const bool installed =
        !version.empty() && !IsNewerVersion(version, registry.InstalledVersion());
    if (installed || !HasTrustedSignature(InstallerPath(place))) {
        ForgetInstaller(place);
        return false;
    }
    return true;
}

void ForgetInstaller(const UpdatePlace& place) {
    DeleteFileW(InstallerPath(place).c_str());
    WriteProfileInteger(place.settingsFile, kMainSection, kPendingKey, 0);
    WriteProfileText(place.settingsFile, kMainSection, kPendingVersionKey, L"");
}
