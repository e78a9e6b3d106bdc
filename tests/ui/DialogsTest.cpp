// The message dialog, the close, merge and copy questions, the scanner
// choice, the copying hint and the about box, each opened from the program's layout archive and
// driven through the UI library's test driver.
#include <gmock/gmock.h>

#include <atomic>
#include <cstring>

#include "app/AppSettings.h"
#include "app/ShowMessage.h"
#include "tests/app/AppTestSupport.h"
#include "tests/ui/DialogDriver.h"
#include "tests/ui/SkinArchive.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/CopyingHintDlg.h"
#include "ui/dialogs/MessageCopyDlg.h"
#include "ui/dialogs/MessageDialogPresenter.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/dialogs/MessageExitDlg.h"
#include "ui/dialogs/MessageMerge.h"
#include "ui/dialogs/SelectDSMDlg.h"

namespace {

constexpr wchar_t kDialogClass[] = L"PimloOCRDialogClass";
// The centre of the title-bar cross in a 380-wide dialog.
constexpr int kCrossX = 356;
constexpr int kCrossY = 20;

// The program's layout archive handed to the UI library once, and settings
// of a fresh config.ini per test.
class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadSkinArchiveOnce()); }

    DialogTest() { CurrentSettings().Load(folder_.File(L"config.ini"), folder_.Path()); }

    int Stored(const wchar_t* key) {
        return static_cast<int>(
            GetPrivateProfileIntW(L"General", key, -1, folder_.File(L"config.ini").c_str()));
    }

    TempFolder folder_;
};

MessageDialogContent Message(const wchar_t* text, const wchar_t* caption, UINT flags) {
    MessageDialogContent content;
    content.text = text;
    content.caption = caption;
    content.flags = flags;
    return content;
}

struct MessageSeen {
    std::wstring caption, context, closeText;
    bool info = false, error = false, warn = false, yes = false;
};

// What the message dialog shows, read before it is closed with btnClose.
std::function<void(DialogDriver&)> ReadMessageThenClose(MessageSeen& seen) {
    return [&seen](DialogDriver& driver) {
        seen.caption = driver.Text(L"caption");
        seen.context = driver.Text(L"context");
        seen.info = driver.Visible(L"infoLogo");
        seen.error = driver.Visible(L"errorLogo");
        seen.warn = driver.Visible(L"warnLogo");
        seen.yes = driver.Visible(L"btnYes");
        seen.closeText = driver.Text(L"btnClose");
        driver.Click(L"btnClose");
    };
}

using MessageDialogTest = DialogTest;

TEST_F(MessageDialogTest, OneLogoByTheIconBitsInformationFirst) {
    struct Case {
        UINT flags;
        bool info, error, warn;
    } cases[] = {
        {MB_ICONINFORMATION, true, false, false},
        {MB_ICONERROR, false, true, false},
        {MB_ICONQUESTION, false, false, true},
        {0, true, false, false},
        {MB_ICONINFORMATION | MB_ICONERROR, true, false, false},
    };
    for (const Case& each : cases) {
        MessageSeen seen;
        const int result = DriveDialog(
            kDialogClass,
            [&] { return ShowMessageDialog(nullptr, Message(L"正文", L"标题", each.flags)); },
            ReadMessageThenClose(seen));
        EXPECT_EQ(result, IDNO) << each.flags;
        EXPECT_EQ(seen.info, each.info) << each.flags;
        EXPECT_EQ(seen.error, each.error) << each.flags;
        EXPECT_EQ(seen.warn, each.warn) << each.flags;
    }
}

TEST_F(MessageDialogTest, EachButtonGivesItsAnswer) {
    MessageDialogContent question = Message(L"现在安装新版本吗？", L"提示", MB_YESNO);
    question.leftText = L"稍后";
    struct Case {
        const wchar_t* button;
        int answer;
    } cases[] = {{L"btnYes", IDYES}, {L"btnClose", IDNO}, {L"btnLeft", 12}};
    for (const Case& each : cases) {
        std::wstring yesText, leftText;
        const int result = DriveDialog(
            kDialogClass, [&] { return ShowMessageDialog(nullptr, question); },
            [&](DialogDriver& driver) {
                yesText = driver.Text(L"btnYes");
                leftText = driver.Text(L"btnLeft");
                driver.Click(each.button);
            });
        EXPECT_EQ(result, each.answer) << each.button;
        EXPECT_EQ(yesText, L"确定");
        EXPECT_EQ(leftText, L"稍后");
    }
    // Escape closes without an answer: as the cross does.
    const int escaped = DriveDialog(
        kDialogClass, [&] { return ShowMessageDialog(nullptr, question); },
        [](DialogDriver& driver) { PostMessageW(driver.Window(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(escaped, IDNO);
}

// A dialog's only button is drawn as its confirming one; beside "确定" the
// bottom btnClose is the plain, secondary one.
TEST_F(MessageDialogTest, TheOnlyButtonIsDrawnAsTheConfirmingOne) {
    const struct {
        UINT flags;
        bool closeLooksLikeYes;
    } cases[] = {{MB_ICONINFORMATION, true}, {MB_YESNO, false}};
    for (const auto& each : cases) {
        DWORD yesColour = 0, closeColour = 0;
        DriveDialog(
            kDialogClass,
            [&] { return ShowMessageDialog(nullptr, Message(L"正文", L"标题", each.flags)); },
            [&](DialogDriver& driver) {
                // A request through the driver lays the window out first, so
                // its buttons are styled before their colours are read.
                driver.Text(L"context");
                yesColour = driver.TextColour(L"btnYes");
                closeColour = driver.TextColour(L"btnClose");
                driver.Click(L"btnClose");
            });
        EXPECT_NE(yesColour, 0u) << each.flags;
        EXPECT_EQ(closeColour == yesColour, each.closeLooksLikeYes) << each.flags;
    }
}

// Show message goes through the dialog; a worker thread's message is shown
// on the thread that installed the presenter, which keeps its windows
// working, and the worker waits for the answer.
TEST_F(MessageDialogTest, AMissingKeyShowsTheCaptionAndAnEmptyBodyFromAWorkerThread) {
    ScopedOneMessage language(folder_, L"Title", L"PimloOCR文字识别");
    InstallMessageDialogPresenter();

    MessageSeen seen;
    DWORD dialogThread = 0;
    std::atomic<int> result{-1};
    std::thread worker([&] { result = ShowMessage(MessageKeys::OCRNotResult, nullptr, 64); });
    std::thread driving([&] {
        DialogDriver driver(kDialogClass);
        if (!driver.WaitForWindow()) return;
        dialogThread = GetWindowThreadProcessId(driver.Window(), nullptr);
        ReadMessageThenClose(seen)(driver);
    });
    // The dialog runs on this thread, inside the sent request.
    while (result == -1) PumpFor(5);
    worker.join();
    driving.join();
    SetMessagePresenter(nullptr);

    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(dialogThread, GetCurrentThreadId());
    EXPECT_EQ(seen.caption, L"PimloOCR文字识别");
    EXPECT_EQ(seen.context, L"");
    EXPECT_TRUE(seen.info);
    EXPECT_FALSE(seen.yes);
    EXPECT_EQ(seen.closeText, L"确定");
}

using CloseQuestionTest = DialogTest;

TEST_F(CloseQuestionTest, NotRemindWithExitStopsAskingAndEndsTheProgramFromNowOn) {
    CurrentSettings().Set(Setting::HideWhenClose, 1);
    CurrentSettings().Set(Setting::RemindWhenClose, 1);
    bool hideShownAtStart = false;
    const bool cancelled = DriveDialog(
        kDialogClass, [] { return AskCloseCancelled(nullptr); },
        [&](DialogDriver& driver) {
            hideShownAtStart = driver.Selected(L"optHide") && !driver.Selected(L"optExit");
            driver.Click(L"checkNotRemind");
            driver.Click(L"optExit");
            driver.Click(L"btnYes");
        });
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(hideShownAtStart);
    EXPECT_EQ(Stored(L"RemindWhenClose"), 0);
    EXPECT_EQ(Stored(L"HideWhenClose"), 0);
    EXPECT_EQ(CurrentSettings().Get(Setting::HideWhenClose), 0);
}

TEST_F(CloseQuestionTest, CancelStoresNothing) {
    CurrentSettings().Set(Setting::HideWhenClose, 1);
    CurrentSettings().Set(Setting::RemindWhenClose, 1);
    const bool cancelled = DriveDialog(
        kDialogClass, [] { return AskCloseCancelled(nullptr); },
        [](DialogDriver& driver) {
            driver.Click(L"checkNotRemind");
            driver.Click(L"optExit");
            driver.ClickAt(kCrossX, kCrossY);
        });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(CurrentSettings().Get(Setting::RemindWhenClose), 1);
    EXPECT_EQ(CurrentSettings().Get(Setting::HideWhenClose), 1);
}

using MergeQuestionTest = DialogTest;

TEST_F(MergeQuestionTest, TheCrossStartsTheRunWithTheChoiceShown) {
    CurrentSettings().Set(Setting::RemindMergeBatch, 1);
    bool defaultAtStart = false;
    const bool merge = DriveDialog(
        kDialogClass, [] { return AskMergeBatch(nullptr); },
        [&](DialogDriver& driver) {
            defaultAtStart = driver.Selected(L"optDefault") && driver.Selected(L"checkNotRemind");
            driver.Click(L"optMerge");
            driver.ClickAt(kCrossX, kCrossY);
        });
    EXPECT_TRUE(merge);
    EXPECT_TRUE(defaultAtStart);
    EXPECT_EQ(CurrentSettings().Get(Setting::RemindMergeBatch), 1);
}

TEST_F(MergeQuestionTest, UntickingTheCheckBoxTurnsTheQuestionOffAtOnce) {
    CurrentSettings().Set(Setting::RemindMergeBatch, 1);
    int storedBeforeClosing = -1;
    const bool merge = DriveDialog(
        kDialogClass, [] { return AskMergeBatch(nullptr); },
        [&](DialogDriver& driver) {
            driver.Click(L"checkNotRemind");
            DialogDriver::WaitFor([&] { return Stored(L"RemindMergeBatch") == 0; });
            storedBeforeClosing = Stored(L"RemindMergeBatch");
            driver.Click(L"btnClose");
        });
    EXPECT_FALSE(merge);
    EXPECT_EQ(storedBeforeClosing, 0);
    EXPECT_EQ(CurrentSettings().Get(Setting::RemindMergeBatch), 0);
}

using CopyConfirmationTest = DialogTest;

TEST_F(CopyConfirmationTest, NotRemindTurnsTheConfirmationOff) {
    CurrentSettings().Set(Setting::RemindWhenCopy, 1);
    std::wstring closeText;
    DriveDialog(
        kDialogClass,
        [] {
            ConfirmCopy(nullptr);
            return true;
        },
        [&](DialogDriver& driver) {
            closeText = driver.Text(L"btnClose");
            driver.Click(L"NotRemind");
            driver.Click(L"btnClose");
        });
    EXPECT_EQ(closeText, L"关闭");
    EXPECT_EQ(Stored(L"RemindWhenCopy"), 0);
}

TEST_F(DialogTest, TheCopyingHintStaysUntilItIsClosedByItsClass) {
    ShowCopyingHint(nullptr);
    ShowCopyingHint(nullptr);
    PumpFor(100);
    HWND hint = FindWindowW(L"PimloOCRCopyDialogClass", nullptr);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(FindWindowExW(nullptr, hint, L"PimloOCRCopyDialogClass", nullptr), nullptr);

    CloseCopyingHint();
    PumpFor(100);
    EXPECT_FALSE(IsWindow(hint));
}

TEST_F(DialogTest, TheAboutBoxShowsTheInstalledVersionAndMachineCode) {
    const std::wstring key =
        L"Software\\PimloOCRTest\\Dialogs" + std::to_wstring(GetCurrentProcessId());
    ProductRegistryPaths paths{{HKEY_CURRENT_USER, key + L"\\User"},
                               {HKEY_CURRENT_USER, key + L"\\Machine"},
                               {HKEY_CURRENT_USER, key + L"\\Run"}};
    WriteRegistryText(paths.machine, L"Version", L"3.6.2.1");
    ProductRegistry(paths).SetMachineCode(L"0123456789ABCDEF");
    std::wstring version, uid, site;
    DriveDialog(
        kDialogClass, [&] { return (new CAboutDlg(ProductRegistry(paths)))->OpenModal(nullptr); },
        [&](DialogDriver& driver) {
            version = driver.Text(L"LabelVersion");
            uid = driver.Text(L"LabelUID");
            site = driver.Text(L"buttonSite");
            driver.Click(L"btnClose");
        });
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    EXPECT_EQ(version, L"3.6.2.1");
    EXPECT_EQ(uid, L"0123456789ABCDEF");
    EXPECT_EQ(site.rfind(L"https://", 0), 0u);
}

using ScannerChoiceTest = DialogTest;

TW_IDENTITY Source(TW_UINT32 id, const char* name) {
    TW_IDENTITY identity = {};
    identity.Id = id;
    std::strncpy(identity.ProductName, name, sizeof(identity.ProductName) - 1);
    return identity;
}

TEST_F(ScannerChoiceTest, TheFirstSourceIsChosenAndAnotherCanBe) {
    // The second name is "扫描仪" in code page 936, as a source names itself.
    const std::vector<TW_IDENTITY> sources = {Source(7, "Flatbed"),
                                              Source(9, "\xC9\xA8\xC3\xE8\xD2\xC7")};
    std::wstring shown;
    const auto first = DriveDialog(
        kDialogClass, [&] { return ChooseScanSource(nullptr, sources); },
        [&](DialogDriver& driver) {
            shown = driver.Text(L"DSMItem1");
            driver.Click(L"btnYes");
        });
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->Id, 7u);
    EXPECT_EQ(shown, L"扫描仪");

    const auto second = DriveDialog(
        kDialogClass, [&] { return ChooseScanSource(nullptr, sources); },
        [](DialogDriver& driver) {
            driver.Click(L"DSMItem1");
            driver.Click(L"btnYes");
        });
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->Id, 9u);
}

TEST_F(ScannerChoiceTest, CancelAndTheCrossChooseNothing) {
    const std::vector<TW_IDENTITY> sources = {Source(7, "Flatbed")};
    for (const bool cross : {false, true}) {
        const auto choice = DriveDialog(
            kDialogClass, [&] { return ChooseScanSource(nullptr, sources); },
            [cross](DialogDriver& driver) {
                if (cross)
                    driver.ClickAt(kCrossX, kCrossY);
                else
                    driver.Click(L"btnClose");
            });
        EXPECT_FALSE(choice.has_value()) << cross;
    }
}

TEST_F(ScannerChoiceTest, ConfirmingWithNothingChosenAsksForAChoice) {
    ScopedOneMessage language(folder_, L"SelectDSM", L"请先选择一台设备。");
    InstallMessageDialogPresenter();
    MessageSeen seen;
    bool stayedOpen = false;
    const auto choice = DriveDialog(
        kDialogClass, [] { return ChooseScanSource(nullptr, {}); },
        [&](DialogDriver& driver) {
            driver.Click(L"btnYes");
            HWND message = nullptr;
            DialogDriver::WaitFor([&] {
                message = FindVisibleWindowOf(GetCurrentProcessId(), kDialogClass);
                return message && message != driver.Window();
            });
            seen.context = AnswerValue(AskDrivenWindow(message, L"query", L"context"), L"text");
            AskDrivenWindow(message, L"click", L"btnClose");
            DialogDriver::WaitFor([&] { return !IsWindow(message); });
            stayedOpen = IsWindowVisible(driver.Window()) != 0;
            driver.Click(L"btnClose");
        });
    SetMessagePresenter(nullptr);
    EXPECT_FALSE(choice.has_value());
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(seen.context, L"请先选择一台设备。");
}

}  // namespace
