#include "app/entry/Application.h"

#include <objbase.h>
#include <commctrl.h>

#include "app/AppSettings.h"
#include "app/FolderCleanup.h"
#include "app/ProductRegistry.h"
#include "app/StartupData.h"
#include "app/TraceLog.h"
#include "app/entry/CrashFilter.h"
#include "app/entry/DesktopRelaunch.h"
#include "app/entry/LayoutArchive.h"
#include "app/entry/SingleInstance.h"
#include "app/entry/StartSwitch.h"
#include "common/GdiplusSession.h"
#include "common/StringConversion.h"
#include "ocr/CloudSite.h"
#include "platform/uilib/UIlib.h"
#include "services/MachineCodeStore.h"
#include "services/ReportClient.h"
#include "services/SystemMachineProbe.h"
#include "services/Updater.h"
#include "ui/MainFrame.h"
#include "ui/dialogs/MessageDialogPresenter.h"

namespace {

constexpr UINT kProgramIcon = 128;
constexpr int kUninstalledEvent = 2;
constexpr wchar_t kMainWindowTitle[] = L"PimloOCR文字识别软件";

// COM and the common controls for the whole life of the process.
class ComSession {
public:
    ComSession() {
        CoInitialize(nullptr);
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
    ~ComSession() { CoUninitialize(); }
};

// The reporting client, from "oem.ini" and the machine-wide values.
void ConfigureReports(const StartupData& startup, const ProductRegistry& registry) {
    ReportIdentity identity;
    identity.host = startup.oem.servers.reportHost;
    identity.channelCode = WideToAnsi(startup.oem.partnerId);
    identity.version = WideToAnsi(registry.InstalledVersion());
    identity.machineCode = WideToAnsi(registry.MachineCode());
    identity.osName = RunningOsName();
    identity.bitness = ProcessBitness();
    CurrentReportClient().Configure(std::move(identity));
}

void LoadSettingsAndServices(const AppFolders& folders) {
    SetCurrentStartupData(LoadStartupData(folders, ProductRegistry()));
    ConfigureReports(CurrentStartupData(), ProductRegistry());
    const ServerSettings& servers = CurrentStartupData().oem.servers;
    SetCurrentCloudSite(CloudSite::AtHost(WideToUtf8(servers.ocrHost), servers.caFile));
    CurrentUpdate().Configure(
        {servers.updateHost, folders.dataFolder, SettingsFilePath(folders.dataFolder)});
    CurrentSettings().Load(SettingsFilePath(folders.dataFolder), folders.defaultSaveFolder);
    SetTraceLogFile(LogFilePath(folders.dataFolder));
    InstallExitCleanup();
}

// A missing or unreadable layout archive: the program has no windows to show.
bool ReportLayoutsLost() {
    MessageBoxW(nullptr, L"软件皮肤资源丢失，无法运行，请重新安装！", L"严重错误",
                MB_OK | MB_ICONERROR);
    return false;
}

bool HandOverLayouts(HINSTANCE instance, const AppFolders& folders) {
    const std::string_view archive = LoadLayoutArchive(instance);
    if (archive.empty()) return ReportLayoutsLost();
    CPaintManagerUI::SetInstance(instance);
    CPaintManagerUI::SetSkinExt(L".skin");
    CPaintManagerUI::SetSkinPath((folders.installFolder + L"\\skin\\").c_str());
    if (!CPaintManagerUI::SetResourceZip(archive.data(), static_cast<unsigned>(archive.size()))) {
        return ReportLayoutsLost();
    }
    return true;
}

int RunMainWindow(bool hidden) {
    GdiplusSession gdiplus;
    // The window deletes itself when it is destroyed.
    auto* frame = new CMainFrame();
    if (!frame->Create(nullptr, kMainWindowTitle, WS_POPUP | WS_BORDER | WS_SYSMENU, 0)) {
        delete frame;
        return 1;
    }
    frame->CenterWindow();
    if (!hidden) ::ShowWindow(frame->GetHWND(), SW_SHOWDEFAULT);
    frame->SetIcon(kProgramIcon);
    CPaintManagerUI::MessageLoop();
    return 0;
}

}  // namespace

int RunProgram(HINSTANCE instance) {
    const AppFolders folders = LocateAppFolders();
    InstallCrashFilter(folders.dataFolder);
    ComSession com;

    const StartSwitch startSwitch = FindStartSwitch(GetCommandLineW());
    switch (startSwitch) {
        case StartSwitch::Install:
            RelaunchForDesktopUser();
            return 0;
        case StartSwitch::MakeMachine:
            StoreMachineCodeOnce(ProductRegistry(), *SystemMachineProbe());
            return 0;
        case StartSwitch::Uninstall:
            ConfigureReports(LoadStartupData(folders, ProductRegistry()), ProductRegistry());
            CurrentReportClient().SendEvent(kUninstalledEvent);
            return 0;
        default:
            break;
    }
    if (ActivateRunningInstance(CMainFrame::kWindowClass)) return 0;

    LoadSettingsAndServices(folders);
    if (!HandOverLayouts(instance, folders)) return 1;
    InstallMessageDialogPresenter();
    const int result = RunMainWindow(startSwitch == StartSwitch::Autorun);
    FlushUsageCount(CurrentUsageCounter(), SettingsFilePath(folders.dataFolder));
    return result;
}
