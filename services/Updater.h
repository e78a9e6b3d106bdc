#pragma once

#include <windows.h>

#include "services/InstallerUpdate.h"
#include "services/UpdateBalloon.h"
#include "services/UpdateMessages.h"

// The program's update checks, on one worker thread: the silent check of
// every new day (its reports, then a new installer kept for the next start)
// and the check the user asks for, which ends in a message. Everything but
// the worker's flow runs on the main window's thread.
class CUpdate {
public:
    CUpdate() = default;
    ~CUpdate();
    CUpdate(const CUpdate&) = delete;
    CUpdate& operator=(const CUpdate&) = delete;

    void Configure(UpdatePlace place) { place_ = std::move(place); }
    const UpdatePlace& Place() const { return place_; }

    // "menuUpdate": says "Updating" while a check runs, offers a waiting
    // installer, or starts the interactive check.
    void StartInteractiveCheck(HWND owner, HICON icon);
    // The interactive check ended: the balloon goes and the user hears how.
    void OnInteractiveCheckEnded(UpdateOutcome outcome);
    // Starts the silent check when today is not the day of the last one
    // and marks today. canUpdate allows it to download an installer.
    void StartDailyCheck(bool canUpdate);
    // True while a check runs.
    bool IsChecking();

    // True when an installer still wanted waits in the data folder.
    bool HasPendingInstaller(const ProductRegistry& registry = ProductRegistry()) const {
        return SettlePendingInstaller(place_, registry);
    }
    // Asks "HasUpdate" over owner; on Yes starts the installer once its signature is
    // trusted again (an untrusted one is deleted and "UpdateFail" said).
    // True when the installer was started.
    bool OfferInstaller(HWND owner);

private:
    UpdatePlace place_;
    HANDLE thread_ = nullptr;
    bool silent_ = false;
    bool canUpdate_ = true;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    UpdateBalloon balloon_;

    void StartThread(bool silent);
    static unsigned __stdcall Run(void* self);
    void RunInteractive();
    void RunSilent();
};

// The process's updater.
CUpdate& CurrentUpdate();
