#include "services/Updater.h"

#include <process.h>
#include <shellapi.h>

#include "app/LanguageText.h"
#include "app/ShowMessage.h"
#include "common/DebugTrace.h"
#include "common/FileSystem.h"
#include "services/DailyCheck.h"
#include "services/InstallerSignature.h"

namespace {

constexpr int kUnexpectedFault = 5;

}  // namespace

CUpdate::~CUpdate() {
    if (thread_) CloseHandle(thread_);
}

void CUpdate::StartInteractiveCheck(HWND owner, HICON icon) {
    owner_ = owner;
    icon_ = icon;
    if (IsChecking()) {
        ShowMessage(MessageKeys::Updating, owner_, MB_ICONINFORMATION);
        return;
    }
    if (HasPendingInstaller()) {
        OfferInstaller(owner_);
        return;
    }
    StartThread(false);
}

void CUpdate::OnInteractiveCheckEnded(UpdateOutcome outcome) {
    balloon_.Remove();
    switch (outcome) {
        case UpdateOutcome::NoVersion:
            ShowMessage(MessageKeys::NoVersion, owner_, MB_ICONINFORMATION);
            break;
        case UpdateOutcome::NotUpdate:
            ShowMessage(MessageKeys::NotUpdate, owner_, MB_ICONINFORMATION);
            break;
        case UpdateOutcome::UpdateFail:
            ShowMessage(MessageKeys::UpdateFail, owner_, MB_ICONINFORMATION);
            break;
        case UpdateOutcome::Downloaded:
            OfferInstaller(owner_);
            break;
    }
}

void CUpdate::StartDailyCheck(bool canUpdate) {
    const ProductRegistry registry;
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    if (IsChecking() || !DailyCheckDue(registry, today)) return;
    registry.SetUpdateDay(today.wDay);
    registry.SetUpdateDate(DateKeyOf(today));
    canUpdate_ = canUpdate;
    StartThread(true);
}

bool CUpdate::IsChecking() {
    if (!thread_) return false;
    if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) return true;
    CloseHandle(thread_);
    thread_ = nullptr;
    return false;
}

bool CUpdate::OfferInstaller(HWND owner) {
    owner_ = owner;
    const std::wstring installer = InstallerPath(place_);
    if (!FileExists(installer)) return false;
    if (ShowMessage(MessageKeys::HasUpdate, owner_, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    // Checked again right before it runs: the file may have changed since.
    if (!HasTrustedSignature(installer)) {
        ForgetInstaller(place_);
        ShowMessage(MessageKeys::UpdateFail, owner_, MB_ICONINFORMATION);
        return false;
    }
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", installer.c_str(), nullptr,
                                                   nullptr, SW_SHOWDEFAULT)) > 32;
}

void CUpdate::StartThread(bool silent) {
    silent_ = silent;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, nullptr));
}

unsigned __stdcall CUpdate::Run(void* self) {
    auto* update = static_cast<CUpdate*>(self);
    try {
        if (update->silent_) {
            update->RunSilent();
        } else {
            update->RunInteractive();
        }
    } catch (...) {
        // Whatever went wrong, the program goes on without this check; a
        // user who asked for it hears that it failed.
        DebugTrace(L"Type=%d File=%s Line=%d", kUnexpectedFault, L"Updater.cpp", __LINE__);
        if (!update->silent_) {
            PostMessageW(update->owner_, WM_UPDATE_CHECKED,
                         static_cast<WPARAM>(UpdateOutcome::UpdateFail), 0);
        }
    }
    return 0;
}

void CUpdate::RunInteractive() {
    const UpdateOutcome outcome =
        CheckForUpdate(place_, ProductRegistry(), CurrentReportClient(), [this] {
            balloon_.Show(owner_, icon_, Text(TextKeys::DownloadingUpdate),
                          Text(TextKeys::ProductName));
        });
    PostMessageW(owner_, WM_UPDATE_CHECKED, static_cast<WPARAM>(outcome), 0);
}

void CUpdate::RunSilent() {
    const ProductRegistry registry;
    SendDailyReports(CurrentReportClient(), registry, place_.settingsFile);
    SilentUpdate(place_, registry, CurrentReportClient(), canUpdate_);
}

CUpdate& CurrentUpdate() {
    static CUpdate update;
    return update;
}
