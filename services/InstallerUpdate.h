#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/ProductRegistry.h"
#include "services/ReportClient.h"

// The steps both update checks share, each on the calling thread: reading
// the manifest, fetching the companion file, downloading and verifying the
// installer, and the installer waiting in the data folder for the next start.

// Where a check works.
struct UpdatePlace {
    std::wstring host;          // the update host, "name" or "name:port"
    std::wstring dataFolder;    // where "PimloOCRSetup.exe" and "cd.dat" go
    std::wstring settingsFile;  // "config.ini": "HasNewInstaller" and the version it holds
};

// What an interactive check found.
enum class UpdateOutcome {
    NoVersion,   // no manifest could be read
    NotUpdate,   // the installed version is the newest
    UpdateFail,  // a newer one could not be downloaded, or its signature is not trusted
    Downloaded,  // a newer installer is waiting in the data folder
};

// "PimloOCRSetup.exe" in the data folder.
std::wstring InstallerPath(const UpdatePlace& place);

// The version the host offers, from "/windows/newversion.htm"; nothing when
// the answer is no manifest (or the host could not be reached).
std::optional<std::wstring> FetchOfferedVersion(const UpdatePlace& place);
// Downloads "/windows/cd.cab" to "cd.dat" in the data folder; the result
// does not matter to the check.
void FetchCompanionFile(const UpdatePlace& place);

// Replaces any earlier installer with the one the host serves for version.
// Only an installer that arrived whole and carries a trusted signature is
// kept: then "HasNewInstaller" is set, version is remembered beside it and
// the download report goes out. A refused file is deleted.
bool DownloadInstaller(const UpdatePlace& place, const std::wstring& version,
                       ReportClient& reports);

// The interactive check without its messages: manifest, companion file,
// and the installer when a newer version is offered (downloadStarts is
// called right before its download).
UpdateOutcome CheckForUpdate(const UpdatePlace& place, const ProductRegistry& registry,
                             ReportClient& reports, const std::function<void()>& downloadStarts);
// The silent check's update steps: manifest and companion file, then the
// installer when downloads are allowed, none is waiting and a newer version
// is offered.
void SilentUpdate(const UpdatePlace& place, const ProductRegistry& registry, ReportClient& reports,
                  bool canUpdate);

// "HasNewInstaller" is set and the installer is in the data folder.
bool HasPendingInstaller(const UpdatePlace& place);
// Forgets a waiting installer that is no longer wanted: one whose version
// the installation has reached (the installer ran), or whose signature is
// no longer trusted. The file is deleted and the flag reset. True when an
// installer is still waiting afterwards.
bool SettlePendingInstaller(const UpdatePlace& place, const ProductRegistry& registry);
// Deletes the installer and resets "HasNewInstaller" and its version.
void ForgetInstaller(const UpdatePlace& place);
