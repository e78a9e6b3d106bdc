#pragma once
// The ground the end-to-end tests of the real program against the stand-in
// servers share: the install folder pointed at the servers, an ordinary
// start, the Chinese language file, a save folder of the test's own, and the
// settings of a scripted run (the cloud for general text, no question
// before a batch, pictures sent as they are).

#include <gtest/gtest.h>

#include <string>

#include "app/LanguageText.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"

inline constexpr char kGeneralText[] = "/rest/2.0/ocr/v1/general_basic";
// A run of a few pictures through the stand-in's recogniser.
inline constexpr DWORD kRunTimeoutMs = 60000;

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

    StandIns standIns_ = ReadStandIns();
    ScopedServiceHosts hosts_{PIMLO_INSTALL_DIR, standIns_.Hosts()};
    ScopedStartState startState_;
    ScopedLanguageFile language_{PIMLO_LANGUAGE_DIR L"\\cn.dat"};
    TempFolder save_;
};
