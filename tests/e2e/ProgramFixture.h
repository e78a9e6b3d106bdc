#pragma once
// The ground the end-to-end tests of the real program against the stand-in
// servers share: the install folder pointed at the servers, an ordinary
// start, the Chinese language file, a save folder and a picture folder of
// the test's own, the settings of a scripted run (the cloud for general
// text, no question before a batch, pictures sent as they are), and the
// steps of bringing pictures in.

#include <gtest/gtest.h>

#include <string>

#include "app/LanguageText.h"
#include "common/FileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"

inline constexpr char kGeneralText[] = "/rest/2.0/ocr/v1/general_basic";
// A run of a few pictures through the stand-in's recogniser.
inline constexpr DWORD kRunTimeoutMs = 60000;

// The stand-in servers' working folder, where the fixture drew its pictures
// ("line.png", "text.png", "table.png", "idcard-front.png" ...).
inline std::wstring WorkingFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// Answers the system's open dialog that the program shows with a file name.
inline bool ChooseInOpenDialog(const ProgramSession& program, const std::wstring& path) {
    HWND dialog = nullptr;
    const DWORD process = GetProcessId(program.Process());
    const bool shown = ProgramSession::WaitFor([&] {
        dialog = nullptr;
        for (HWND window = FindWindowW(L"#32770", nullptr); window;
             window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process && IsWindowVisible(window)) dialog = window;
        }
        return dialog != nullptr;
    });
    if (!shown) return false;
    // The file name box: a combo box (cmb13) in newer dialogs, an edit (edt1) in older ones.
    for (int id : {0x47C, 0x480}) SetDlgItemTextW(dialog, id, path.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return ProgramSession::WaitFor([&] { return !IsWindow(dialog); });
}

class ProgramAgainstStandIns : public testing::Test {
protected:
    ProgramAgainstStandIns() {
        WriteProgramSettings({{L"SavePath", save_.Path()},
                              {L"UseHighQuality", L"1"},
                              {L"RemindMergeBatch", L"0"},
                              {L"CompressedSizeLimit", L"0"}});
    }

    // The run's output folder in the save folder.
    std::wstring OutputFolder(const wchar_t* suffix = L"") const {
        return save_.File(Text(TextKeys::OutFolderName) + suffix);
    }
    // The general-text requests the stand-in received so far.
    int TextRequests() const { return standIns_.CountRequests("ocr", kGeneralText); }

    // A copy of a picture the fixture drew, under another name.
    std::wstring Picture(const wchar_t* drawn, const wchar_t* name) {
        const std::wstring copy = pictures_.File(name);
        CopyFileW(JoinPath(WorkingFolder(), drawn).c_str(), copy.c_str(), FALSE);
        return copy;
    }

    // On the identity card page: adds the drawn card's front, and its back
    // when asked, as the user picks them in the open dialog.
    static void AddIdCardSides(const ProgramSession& program, bool back) {
        ASSERT_TRUE(program.Click(L"addIdcardFrontI"));
        ASSERT_TRUE(ChooseInOpenDialog(program, JoinPath(WorkingFolder(), L"idcard-front.png")));
        if (back) {
            ASSERT_TRUE(program.Click(L"addIdcardBackI"));
            ASSERT_TRUE(ChooseInOpenDialog(program, JoinPath(WorkingFolder(), L"idcard-back.png")));
        }
        const wchar_t* added = back ? L"IdcardBackOk" : L"IdcardFrontOk";
        ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(added); }));
    }

    // Drops the pictures on the home page and starts the run.
    void Recognise(ProgramSession& program, const std::wstring& picturesOneALine) {
        program.Drop(picturesOneALine);
        ASSERT_TRUE(ProgramSession::WaitFor([&] { return program.Visible(L"buttonOCR"); }));
        ASSERT_TRUE(program.Click(L"buttonOCR"));
    }

    StandIns standIns_ = ReadStandIns();
    ScopedServiceHosts hosts_{PIMLO_INSTALL_DIR, standIns_.Hosts()};
    ScopedStartState startState_;
    ScopedLanguageFile language_{PIMLO_LANGUAGE_DIR L"\\cn.dat"};
    TempFolder save_;
    TempFolder pictures_;
};
