// The offline recognition engine, installed as "recognition\ZOZID32.dll".
// The program starts it with its own path and a picture's path, each in
// double quotes; it recognises the picture's Chinese and English text and
// leaves the lines, in reading order, on the clipboard in the ANSI code page.
#include <windows.h>

#include <leptonica/allheaders.h>
#include <shellapi.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>

#include "LineRecogniser.h"
#include "LineText.h"
#include "PictureFile.h"
#include "ResultClipboard.h"
#include "TextConversion.h"

namespace {

// Simplified Chinese first: it also reads the Latin letters and digits of
// mixed lines; English adds its dictionary for lines in English.
constexpr char kLanguages[] = "chi_sim+eng";

// The program waits 5 seconds for the text and then sends the picture to the
// cloud; a result after that would only replace the user's clipboard. The
// margin covers starting the process.
constexpr long long kRecognitionBudgetMs = 4500;

enum ExitCode {
    kRecognised = 0,
    kNoText = 1,
    kBadCommandLine = 2,
    kUnreadablePicture = 3,
    kFailed = 4,
};

// A failed check inside the recogniser aborts; the engine then ends at once,
// without the runtime's message box that would wait for a user.
void EndOnAbort(int) { _exit(kFailed); }

// The picture's path: the second argument after the engine's own path.
bool PicturePath(std::wstring& path) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return false;
    if (count >= 2) path = arguments[1];
    LocalFree(arguments);
    return count >= 2 && !path.empty();
}

// The trained data lies in "tessdata" beside the engine.
std::wstring DataFolder() {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (length == 0) return L"tessdata";
        if (length < self.size()) {
            self.resize(length);
            break;
        }
        self.resize(self.size() * 2);
    }
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"tessdata";
}

// Recognises the picture of the command line and leaves its text on the
// clipboard; started is when the engine began, in GetTickCount64's time.
int Run(ULONGLONG started) {
    std::wstring path;
    if (!PicturePath(path)) return kBadCommandLine;
    PixPtr picture = ReadBmpPicture(path);
    if (!picture) {
        ClearStaleResult();
        return kUnreadablePicture;
    }
    const auto elapsedMs = static_cast<long long>(GetTickCount64() - started);
    const int budgetMs = static_cast<int>(std::max(0LL, kRecognitionBudgetMs - elapsedMs));
    const std::string text =
        JoinLines(RecogniseLines(picture.get(), DataFolder(), kLanguages, budgetMs));
    if (text.empty()) {
        ClearStaleResult();
        return kNoText;
    }
    return PutResultOnClipboard(Utf8ToAnsi(text)) ? kRecognised : kNoText;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const ULONGLONG started = GetTickCount64();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    signal(SIGABRT, EndOnAbort);
    // A damaged picture is reported by the result, not by Leptonica's notes.
    setMsgSeverity(L_SEVERITY_NONE);
    try {
        return Run(started);
    } catch (...) {
        // Out of memory for a very large picture, for one: no text.
        return kFailed;
    }
}
