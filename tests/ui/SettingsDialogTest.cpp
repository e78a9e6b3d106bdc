// The settings dialog on a real window, driven as the end-to-end tests drive
// the program: the dialog runs modally on a thread of its own over a main
// window of this test, and the test asks and clicks through the test driver.
#include <windows.h>
// commctrl.h after windows.h: it builds on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <map>

#include "app/ProfileFile.h"
#include "platform/uilib/UIlib.h"
#include "platform/uilib/drive/DriveClient.h"
#include "tests/app/AppTestSupport.h"
#include "ui/MainWindowMessages.h"
#include "ui/settings/CaptureHotKey.h"
#include "ui/settings/ImageSizeChoice.h"
#include "ui/settings/SettingsDialog.h"

namespace {

constexpr wchar_t kDialogClass[] = L"PimloOCRDialogClass";
constexpr wchar_t kMainClass[] = L"PimloSettingsTestMain";
// Keys nobody else is likely to hold while the tests run.
const int32_t kFirstKey = CaptureHotKeyValue(VK_F9, MOD_CONTROL | MOD_ALT);
const int32_t kSecondKey = CaptureHotKeyValue(VK_F11, MOD_CONTROL | MOD_SHIFT);

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
    }
    return true;
}

void UseProgramLayouts() {
    static const std::string archive = [] {
        std::string bytes;
        ReadFileBytes(PIMLO_SKIN_ARCHIVE, bytes);
        return bytes;
    }();
    CPaintManagerUI::SetResourceZip(archive.data(), static_cast<unsigned>(archive.size()));
}

HWND CreateMainWindow(bool visible) {
    static const ATOM registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kMainClass;
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    return CreateWindowExW(0, kMainClass, L"main", WS_POPUP | (visible ? WS_VISIBLE : 0), 100, 100,
                           300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// True when some hot key with this value is registered: registering it once
// more then fails.
bool HotKeyTaken(HWND window, int32_t value) {
    constexpr int kProbeId = 77;
    if (!RegisterHotKey(window, kProbeId, LOWORD(value), HIWORD(value))) return true;
    UnregisterHotKey(window, kProbeId);
    return false;
}

// What the main window holds once the dialog has closed.
struct Aftermath {
    bool captureKeyRegistered = false;
    std::map<int32_t, bool> keysTaken;
};

// One run of the dialog on its own thread, over a main window that registers
// the capture hot key of the settings as the program's main window does.
class DialogSession {
public:
    DialogSession(AppSettings& settings, ProductRegistryPaths paths, bool mainVisible = true)
        : done_(std::async(std::launch::async, [this, &settings, paths, mainVisible] {
              return Run(settings, paths, mainVisible);
          })) {
        WaitUntil([this] {
            dialog_ = FindDrivenWindow(kDialogClass);
            return dialog_ && IsWindowVisible(dialog_);
        });
    }
    ~DialogSession() {
        if (IsWindow(dialog_)) PostMessageW(dialog_, WM_CLOSE, 0, 0);
        if (done_.valid()) done_.wait();
    }

    HWND Dialog() const { return dialog_; }
    HWND Main() const { return main_; }
    // One value of the driver's answer, its backslashes unescaped.
    std::wstring Query(const wchar_t* name, const wchar_t* key) const {
        std::wstring value = AnswerValue(AskDrivenWindow(dialog_, L"query", name), key);
        for (size_t at = value.find(L"\\\\"); at != std::wstring::npos;
             at = value.find(L"\\\\", at + 1)) {
            value.erase(at, 1);
        }
        return value;
    }
    bool Click(const wchar_t* name) const {
        return AnswerValue(AskDrivenWindow(dialog_, L"click", name), L"clicked") == L"1";
    }
    // Typed into the native child of that class (the save folder's edit box,
    // the hot-key field) as the user's keys would leave it.
    // The native children come with the first layout of the window.
    HWND Child(const wchar_t* className) const {
        HWND child = nullptr;
        WaitUntil([&] { return (child = FindWindowExW(dialog_, nullptr, className, nullptr)); });
        return child;
    }
    bool Closed() const {
        return WaitUntil([this] { return !IsWindow(dialog_); });
    }
    Aftermath Wait() { return done_.get(); }

private:
    Aftermath Run(AppSettings& settings, const ProductRegistryPaths& paths, bool mainVisible) {
        UseProgramLayouts();
        Aftermath after;
        HWND main = CreateMainWindow(mainVisible);
        main_ = main;
        const int32_t hotKey = settings.Get(Setting::HotKey);
        if (hotKey != 0) RegisterHotKey(main, kCaptureHotKeyId, LOWORD(hotKey), HIWORD(hotKey));
        RunSettingsDialog({main, settings, ProductRegistry(paths), ModuleFilePath()});
        for (int32_t key : {kFirstKey, kSecondKey}) after.keysTaken[key] = HotKeyTaken(main, key);
        after.captureKeyRegistered = UnregisterHotKey(main, kCaptureHotKeyId) != FALSE;
        DestroyWindow(main);
        return after;
    }

    HWND dialog_ = nullptr;
    std::atomic<HWND> main_{nullptr};
    std::future<Aftermath> done_;
};

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() {
        CreateFolderTree(saveFolder_);
        WriteLanguageFileOf(folder_.File(L"cn.dat"), {},
                            {{L"Title", L"提示"}, {L"SavePathNotExist", L"保存目录不存在"}});
    }
    ~SettingsDialogTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, runKey_.c_str()); }

    void Write(const wchar_t* key, const std::wstring& value) {
        WriteProfileText(configFile_, L"General", key, value);
    }
    void LoadSettings() { settings_.Load(configFile_, saveFolder_); }
    int32_t Stored(const wchar_t* key) const {
        return ReadProfileInteger(configFile_, L"General", key, -1);
    }
    bool StoredBecomes(const wchar_t* key, int32_t value) const {
        return WaitUntil([&] { return Stored(key) == value; });
    }
    ProductRegistryPaths Paths() const {
        ProductRegistryPaths paths;
        paths.run = {HKEY_CURRENT_USER, runKey_};
        return paths;
    }

    TempFolder folder_;
    const std::wstring configFile_ = folder_.File(L"config.ini");
    const std::wstring saveFolder_ = folder_.File(L"save");
    const std::wstring runKey_ =
        L"Software\\PimloOCRTest\\Settings" + std::to_wstring(GetCurrentProcessId());
    ScopedLanguageFile language_{folder_.File(L"cn.dat")};
    MessageRecorder messages_;
    AppSettings settings_;
};

TEST_F(SettingsDialogTest, OpensFilledFromTheSettingsAndClosesUnchanged) {
    Write(L"CanUpdate", L"0");
    Write(L"CompressedSizeLimit", L"1");
    Write(L"UseHighQuality", L"0");
    Write(L"HideWhenClose", L"0");
    Write(L"MaxImageSize", L"2048");
    Write(L"HotKey", std::to_wstring(kFirstKey));
    LoadSettings();
    ProductRegistry(Paths()).SetAutorun(true, ModuleFilePath());
    const std::string fileBefore = ReadFileBytes(configFile_);

    DialogSession session(settings_, Paths());
    ASSERT_TRUE(session.Dialog());
    EXPECT_EQ(session.Query(L"optAutoRun", L"selected"), L"1");
    EXPECT_EQ(session.Query(L"optAutoUpdate", L"selected"), L"0");
    EXPECT_EQ(session.Query(L"optCompressedSize", L"selected"), L"1");
    EXPECT_EQ(session.Query(L"optUseHighQuality", L"selected"), L"0");
    EXPECT_EQ(session.Query(L"optHideWindow", L"selected"), L"0");
    EXPECT_EQ(session.Query(L"optExit", L"selected"), L"1");
    EXPECT_EQ(session.Query(L"comboMaxSize", L"text"), L"{f 微软雅黑 12}2048px{/f}");
    EXPECT_EQ(session.Query(L"SavePath", L"text"), saveFolder_);
    // Modal over the main window.
    EXPECT_EQ(GetWindow(session.Dialog(), GW_OWNER), session.Main());
    EXPECT_FALSE(IsWindowEnabled(session.Main()));

    ASSERT_TRUE(session.Click(L"btnClose"));
    ASSERT_TRUE(session.Closed());
    const Aftermath after = session.Wait();
    // The hot-key field showed the stored key: closing left it registered.
    EXPECT_TRUE(after.captureKeyRegistered);
    EXPECT_TRUE(after.keysTaken.at(kFirstKey));
    EXPECT_EQ(ReadFileBytes(configFile_), fileBefore);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(SettingsDialogTest, CheckBoxesOptionsAndTheSizeApplyAtOnce) {
    Write(L"MaxImageSize", L"3000");
    LoadSettings();
    DialogSession session(settings_, Paths());
    ASSERT_TRUE(session.Dialog());
    // A size edited by hand is none of the offered ones.
    EXPECT_EQ(session.Query(L"comboMaxSize", L"text"), L"");

    ASSERT_TRUE(session.Click(L"optAutoUpdate"));
    EXPECT_TRUE(StoredBecomes(L"CanUpdate", 0));
    ASSERT_TRUE(session.Click(L"optUseHighQuality"));
    EXPECT_TRUE(StoredBecomes(L"UseHighQuality", 0));
    ASSERT_TRUE(session.Click(L"optUseHighQuality"));
    EXPECT_TRUE(StoredBecomes(L"UseHighQuality", 1));
    ASSERT_TRUE(session.Click(L"optExit"));
    EXPECT_TRUE(StoredBecomes(L"HideWhenClose", 0));
    ASSERT_TRUE(session.Click(L"optHideWindow"));
    EXPECT_TRUE(StoredBecomes(L"HideWhenClose", 1));

    const ProductRegistry registry(Paths());
    ASSERT_TRUE(session.Click(L"optAutoRun"));
    EXPECT_TRUE(WaitUntil([&] { return registry.AutorunEnabled(); }));
    ASSERT_TRUE(session.Click(L"optAutoRun"));
    EXPECT_TRUE(WaitUntil([&] { return !RegistryValueExists(Paths().run, L"PimloOCR"); }));

    // The opened list takes the keyboard: from nothing chosen, Down twice
    // reaches the second item.
    ASSERT_TRUE(session.Click(L"comboMaxSize"));
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = FindWindowW(L"PimloUIComboDropDown", nullptr)); }));
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(StoredBecomes(L"MaxImageSize", 2048));
    EXPECT_EQ(settings_.Get(Setting::MaxImageSize), 2048);
    EXPECT_TRUE(IsWindow(session.Dialog()));
}

TEST_F(SettingsDialogTest, AMissingSaveFolderKeepsTheDialogOpenAndAppliesNothing) {
    Write(L"CompressedSizeLimit", L"1");
    LoadSettings();
    DialogSession session(settings_, Paths());
    ASSERT_TRUE(session.Dialog());
    HWND edit = session.Child(L"Edit");
    ASSERT_TRUE(edit);
    ASSERT_TRUE(session.Click(L"optCompressedSize"));
    ASSERT_TRUE(
        WaitUntil([&] { return session.Query(L"optCompressedSize", L"selected") == L"0"; }));

    const std::wstring missing = folder_.File(L"gone\\deeper");
    const std::wstring aFile = folder_.File(L"notes.txt");
    WriteFileBytes(aFile, "not a folder");
    for (const std::wstring& refused : {missing, aFile}) {
        const size_t shownBefore = messages_.Shown().size();
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(refused.c_str()));
        ASSERT_TRUE(session.Click(L"btnClose"));
        ASSERT_TRUE(WaitUntil([&] { return messages_.Shown().size() == shownBefore + 1; }));
        EXPECT_EQ(messages_.Shown().back().body, L"保存目录不存在");
        EXPECT_EQ(messages_.Shown().back().owner, session.Dialog());
        EXPECT_TRUE(IsWindowVisible(session.Dialog()));
        EXPECT_EQ(Stored(L"CompressedSizeLimit"), 1);
        EXPECT_EQ(settings_.SavePath(), saveFolder_);
    }

    const std::wstring chosen = folder_.File(L"chosen");
    CreateFolderTree(chosen);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    ASSERT_TRUE(session.Click(L"btnClose"));
    ASSERT_TRUE(session.Closed());
    session.Wait();
    EXPECT_EQ(Stored(L"CompressedSizeLimit"), 0);
    EXPECT_EQ(ReadProfileText(configFile_, L"General", L"SavePath", L"", MAX_PATH), chosen);
    EXPECT_EQ(settings_.SavePath(), chosen);
}

TEST_F(SettingsDialogTest, ChangeDirOpensTheFolderBrowserOverTheDialog) {
    LoadSettings();
    DialogSession session(settings_, Paths());
    ASSERT_TRUE(session.Click(L"ChangeDir"));
    HWND browser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        browser = FindWindowW(L"#32770", nullptr);
        return browser && GetWindow(browser, GW_OWNER) == session.Dialog();
    }));
    // Cancelled: the edit box keeps its folder and nothing is stored.
    PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    EXPECT_EQ(session.Query(L"SavePath", L"text"), saveFolder_);
    EXPECT_TRUE(IsWindowEnabled(session.Dialog()));
}

TEST_F(SettingsDialogTest, TheHotKeyMovesBetweenRegistrationsOnClose) {
    struct Case {
        WORD field;  // the hot-key control's value: key in the low byte, HOTKEYF_ bits above
        int32_t stored;
        bool secondKeyTaken;
        bool captureKeyRegistered;
    };
    const Case cases[] = {
        {MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT), kSecondKey, true, true},
        // A cleared field leaves no hot key at all.
        {0, 0, false, false},
    };
    for (const Case& each : cases) {
        Write(L"HotKey", std::to_wstring(kFirstKey));
        LoadSettings();
        DialogSession session(settings_, Paths());
        HWND field = session.Child(HOTKEY_CLASSW);
        ASSERT_TRUE(field);
        SendMessageW(field, HKM_SETHOTKEY, each.field, 0);
        ASSERT_TRUE(session.Click(L"btnClose"));
        ASSERT_TRUE(session.Closed());
        const Aftermath after = session.Wait();
        EXPECT_EQ(Stored(L"HotKey"), each.stored);
        EXPECT_FALSE(after.keysTaken.at(kFirstKey)) << each.stored;
        EXPECT_EQ(after.keysTaken.at(kSecondKey), each.secondKeyTaken);
        EXPECT_EQ(after.captureKeyRegistered, each.captureKeyRegistered);
    }
}

TEST_F(SettingsDialogTest, AHiddenMainWindowLeavesTheDialogToTheDesktop) {
    LoadSettings();
    DialogSession session(settings_, Paths(), false);
    ASSERT_TRUE(session.Dialog());
    // Centred on the work area, not on the hidden window.
    RECT dialog;
    GetWindowRect(session.Dialog(), &dialog);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((dialog.left + dialog.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_EQ(GetWindow(session.Dialog(), GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowEnabled(session.Main()));
    ASSERT_TRUE(session.Click(L"btnClose"));
    ASSERT_TRUE(session.Closed());
}

TEST(SettingsChoices, TheSizeComboOffersThreeLimitsInOrder) {
    EXPECT_EQ(ImageSizeItem(1024), 0);
    EXPECT_EQ(ImageSizeItem(2048), 1);
    EXPECT_EQ(ImageSizeItem(4096), 2);
    for (int32_t other : {0, 1000, 3000, 8192}) EXPECT_EQ(ImageSizeItem(other), -1) << other;
    EXPECT_EQ(ImageSizeOfItem(0), 1024);
    EXPECT_EQ(ImageSizeOfItem(2), 4096);
    EXPECT_EQ(ImageSizeOfItem(-1), 0);
    EXPECT_EQ(ImageSizeOfItem(3), 0);
}

TEST(SettingsChoices, TheOwnerIsTheMainWindowOnlyWhileItIsShownAndNotMinimised) {
    HWND shown = CreateMainWindow(true);
    HWND hidden = CreateMainWindow(false);
    EXPECT_EQ(SettingsDialogOwner(shown), shown);
    EXPECT_EQ(SettingsDialogOwner(hidden), GetDesktopWindow());
    ShowWindow(shown, SW_MINIMIZE);
    EXPECT_EQ(SettingsDialogOwner(shown), GetDesktopWindow());
    DestroyWindow(shown);
    DestroyWindow(hidden);
    // F4 alone, as the settings file holds it by default.
    EXPECT_EQ(CaptureHotKeyValue(VK_F4, 0), 0x00730000);
}

}  // namespace
