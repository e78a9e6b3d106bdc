// The web views against the tests' stand-in engine: loading the engine,
// the comparison view (its address, edits, undo, zoom, rotation) and the
// browser dialog (its error page, retry, and which pages may answer).
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "app/AppFolders.h"
#include "common/FileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/ui/DialogDriver.h"
#include "tests/ui/FakeWebEngine.h"
#include "tests/ui/SkinArchive.h"
#include "ui/dialogs/DiffDlg.h"
#include "ui/dialogs/WebBrowserDlg.h"
#include "ui/dialogs/WebEngineLoader.h"

namespace {

using ::testing::ElementsAre;

constexpr wchar_t kDialogClass[] = L"PimloOCRDialogClass";

class WebDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadSkinArchiveOnce()); }

    // The stand-in engine's record, started afresh; the engine is loaded by
    // the first view.
    static FakeWebState& Engine() {
        FakeWebState* state = LoadedFakeWebState();
        if (!state) {
            LoadLibraryW(JoinPath(InstallFolderOf(ModuleFilePath()), L"node.dll").c_str());
            state = LoadedFakeWebState();
        }
        *state = FakeWebState();
        return *state;
    }

    TempFolder folder_;
};

// Waits for the comparison view to show its text, maximised: it maximises
// itself just after it opens, and a click before that would land where a
// button was before the layout moved.
void ViewShown(DialogDriver& driver) {
    DialogDriver::WaitFor(
        [&] { return driver.Text(L"ocrText") == L"原文" && IsZoomed(driver.Window()); });
}

// A window that only records whether it was asked to close.
HWND ClosableWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

bool CloseRequested(HWND window) {
    MSG message;
    return PeekMessageW(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
}

TEST_F(WebDialogTest, AMissingEngineIsToldAndAMissingFunctionIsNamed) {
    MessageRecorder shown;
    std::vector<std::string> missing;
    SetMissingFunctionNotice([&missing](const char* name) { missing.push_back(name); });
    const HWND window = ClosableWindow();
    const HWND owner = ClosableWindow();

    // No file, and a library that is no engine (it lacks wkeInitializeEx).
    for (const std::wstring& engine : {folder_.File(L"node.dll"), std::wstring(L"kernel32.dll")}) {
        shown.Clear();
        EXPECT_EQ(LoadWebEngineFrom(engine, window, owner), nullptr) << engine;
        ASSERT_EQ(shown.Shown().size(), 1u) << engine;
        EXPECT_EQ(shown.Shown()[0].owner, owner);
        EXPECT_EQ(shown.Shown()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_TRUE(CloseRequested(window)) << engine;
    }
    EXPECT_TRUE(missing.empty());
    shown.Clear();

    // An engine without two functions: each is named, and the engine is used.
    const WebEngineCalls* calls = LoadWebEngineFrom(PIMLO_PARTIAL_ENGINE, window, owner);
    ASSERT_NE(calls, nullptr);
    EXPECT_THAT(missing, ElementsAre("wkeSetCookieJarPath", "wkeReload"));
    EXPECT_EQ(calls->SetCookieJarPath, nullptr);
    EXPECT_NE(calls->SetZoomFactor, nullptr);
    EXPECT_TRUE(shown.Shown().empty());
    EXPECT_FALSE(CloseRequested(window));
    SetMissingFunctionNotice(nullptr);
    DestroyWindow(window);
    DestroyWindow(owner);
}

TEST_F(WebDialogTest, TheComparisonViewShowsThePictureByAnAddressThatKeepsItsName) {
    FakeWebState& engine = Engine();
    const std::wstring picture = L"C:\\扫描 #1\\a%b&c+d'e.png";
    std::wstring url;
    DriveDialog(
        kDialogClass, [&] { return CompareWithPicture(nullptr, picture, L"原文"); },
        [&](DialogDriver& driver) {
            DialogDriver::WaitFor([&] { return !driver.Value(L"wke", L"url").empty(); });
            url = driver.Value(L"wke", L"url");
            driver.Click(L"btnClose");
        });
    std::wstring page = JoinPath(InstallFolderOf(ModuleFilePath()), L"image.html");
    std::replace(page.begin(), page.end(), L'\\', L'/');
    const std::wstring expected =
        L"file:///" + page + L"?img=C%3A%5C%E6%89%AB%E6%8F%8F%20%231%5Ca%25b%26c%2Bd%27e.png";
    EXPECT_EQ(url, expected);
    EXPECT_EQ(engine.url, expected);
    EXPECT_FALSE(engine.memoryCache);
    EXPECT_GE(engine.initialised, 1);
}

TEST_F(WebDialogTest, EditsAreKeptUndoRestoresAndZoomAndRotationReachThePage) {
    FakeWebState& engine = Engine();
    ScopedOneMessage language(folder_, L"UndoOCRText", L"恢复原来的识别结果吗？");
    MessageRecorder answersYes;
    std::wstring afterUndo;
    const std::wstring edited = DriveDialog(
        kDialogClass, [&] { return CompareWithPicture(nullptr, L"C:\\a.png", L"原文"); },
        [&](DialogDriver& driver) {
            ViewShown(driver);
            driver.Act(L"settext", L"ocrText", L"改过", L"set");
            driver.Click(L"Undo");
            ViewShown(driver);
            afterUndo = driver.Text(L"ocrText");
            for (const wchar_t* button : {L"ZoomIn", L"ZoomIn", L"ZoomOut", L"Rotate"})
                driver.Click(button);
            driver.Act(L"settext", L"ocrText", L"改过的文字", L"set");
            driver.Click(L"btnClose");
        });
    EXPECT_EQ(afterUndo, L"原文");
    ASSERT_EQ(answersYes.Shown().size(), 1u);
    EXPECT_EQ(answersYes.Shown()[0].body, L"恢复原来的识别结果吗？");
    EXPECT_EQ(edited, L"改过的文字");
    EXPECT_NEAR(engine.zoom, 0.9f, 1e-5);
    EXPECT_THAT(engine.scripts, ElementsAre(L"butt()"));
}

TEST_F(WebDialogTest, AnEditIsKeptHoweverTheViewCloses) {
    Engine();
    const std::function<void(DialogDriver&)> closings[] = {
        [](DialogDriver& driver) { driver.Click(L"btnClose"); },
        // Alt+F4 and the task bar's close ask the window to close.
        [](DialogDriver& driver) { PostMessageW(driver.Window(), WM_CLOSE, 0, 0); },
        [](DialogDriver& driver) { PostMessageW(driver.Window(), WM_KEYDOWN, VK_ESCAPE, 0); },
    };
    for (size_t way = 0; way < std::size(closings); ++way) {
        const std::wstring text = DriveDialog(
            kDialogClass, [&] { return CompareWithPicture(nullptr, L"C:\\a.png", L"原文"); },
            [&](DialogDriver& driver) {
                ViewShown(driver);
                driver.Act(L"settext", L"ocrText", L"改过", L"set");
                closings[way](driver);
            });
        EXPECT_EQ(text, L"改过") << way;
    }
}

TEST_F(WebDialogTest, ClosingUnchangedGivesTheTextBackAndZoomStaysVisible) {
    FakeWebState& engine = Engine();
    const std::wstring text = DriveDialog(
        kDialogClass, [&] { return CompareWithPicture(nullptr, L"C:\\a.png", L"原文"); },
        [&](DialogDriver& driver) {
            ViewShown(driver);
            for (int click = 0; click < 12; ++click) driver.Click(L"ZoomIn");
            driver.Click(L"btnClose");
        });
    EXPECT_EQ(text, L"原文");
    EXPECT_NEAR(engine.zoom, 0.1f, 1e-5);
}

// What the browser dialog did with a page's messages: its answer and
// whether it closed by itself.
struct Browsed {
    std::wstring message;
    bool closedItself = false;
};

Browsed BrowseAndSend(const std::wstring& startUrl, const std::wstring& text) {
    Browsed browsed;
    browsed.message = DriveDialog(
        kDialogClass,
        [&] { return BrowseForMessage(nullptr, L"QQ", L"QQ登录", startUrl, L"127.0.0.1:8123"); },
        [&](DialogDriver& driver) {
            driver.Act(L"webtext", L"ie", text, L"answer");
            browsed.closedItself =
                DialogDriver::WaitFor([&] { return !IsWindow(driver.Window()); });
            if (!browsed.closedItself) driver.Click(L"btnClose");
        });
    return browsed;
}

TEST_F(WebDialogTest, OnlyTheAccountPagesEndTheSignInWithTheirAnswer) {
    Engine();
    const std::wstring answer = L"{\"code\":0,\"nickname\":\"小明\"}";
    struct Case {
        const wchar_t* startUrl;
        std::wstring text;
        std::wstring message;
        bool closes;
    } cases[] = {
        {L"http://127.0.0.1:8123/qq/login", answer, answer, true},
        {L"http://127.0.0.1:8123/qq/login", L"loading", L"loading", false},
        {L"http://127.0.0.1:81234/qq/login", answer, L"", false},
        {L"http://evil.example/127.0.0.1:8123", answer, L"", false},
    };
    for (const Case& each : cases) {
        const Browsed browsed = BrowseAndSend(each.startUrl, each.text);
        EXPECT_EQ(browsed.message, each.message) << each.startUrl;
        EXPECT_EQ(browsed.closedItself, each.closes) << each.startUrl;
    }
}

TEST_F(WebDialogTest, AFailedPageShowsTheErrorPageAndRetryLoadsTheStartAgain) {
    FakeWebState& engine = Engine();
    bool errorShown = false, pageBack = false;
    DriveDialog(
        kDialogClass,
        [&] {
            return BrowseForMessage(nullptr, L"WeChat", L"微信登录", L"http://127.0.0.1:8123/wx",
                                    L"127.0.0.1:8123");
        },
        [&](DialogDriver& driver) {
            driver.Act(L"webtext", L"ie", L"", L"answer");
            driver.Act(L"webloaded", L"ie", L"0", L"delivered");
            const bool stillPage = driver.Visible(L"ie");
            driver.Act(L"webloaded", L"ie", L"1", L"delivered");
            errorShown = stillPage && DialogDriver::WaitFor([&] {
                             return driver.Visible(L"btnRefresh") && !driver.Visible(L"ie");
                         });
            driver.Click(L"btnRefresh");
            pageBack = DialogDriver::WaitFor([&] { return driver.Visible(L"ie"); });
            driver.Click(L"btnClose");
        });
    EXPECT_TRUE(errorShown);
    EXPECT_TRUE(pageBack);
    EXPECT_EQ(engine.reloads, 1);
    EXPECT_THAT(engine.urls, ElementsAre(L"http://127.0.0.1:8123/wx", L"http://127.0.0.1:8123/wx"));
    EXPECT_EQ(engine.cookieFolder, LocateAppFolders().dataFolder);
}

}  // namespace
