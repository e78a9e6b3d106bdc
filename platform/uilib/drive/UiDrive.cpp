// uidrive.exe [--title TITLE] WINDOWCLASS query|text|click NAME
// uidrive.exe [--title TITLE] WINDOWCLASS drop PATH...
// uidrive.exe [--title TITLE] WINDOWCLASS settext|webtext|webloaded NAME VALUE
// Asks a window of the UI library about one of its controls, clicks it,
// drops files on the window, types a text into a control, or makes a web
// view receive a page's text or its loading result, for end-to-end tests.
// With --title only the window of that title is asked (the program's
// dialogs share one class). Prints the answer's key=value lines, or the
// control's text alone (text), in UTF-8. Exit code: 0 done, 1 no such
// control, 2 no such window or bad arguments, 3 the click was refused
// (hidden, disabled or covered).

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "common/StringConversion.h"
#include "platform/uilib/drive/DriveClient.h"
#include "platform/uilib/drive/DriveProtocol.h"

namespace {

void Print(const std::wstring& text) {
    std::string bytes = WideToUtf8(text);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The request's argument: the control's name (and its value), or the
// dropped paths one a line.
std::wstring Argument(int argc, wchar_t** argv) {
    std::wstring argument = argv[3];
    for (int i = 4; i < argc; ++i) argument += L"\n" + std::wstring(argv[i]);
    return argument;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* title = nullptr;
    if (argc > 2 && std::wstring(argv[1]) == L"--title") {
        title = argv[2];
        argc -= 2;
        argv += 2;
    }
    const std::wstring command = argc > 2 ? argv[2] : L"";
    const bool drop = command == L"drop";
    const bool valued = command == L"settext" || command == L"webtext" || command == L"webloaded";
    const bool named = command == L"query" || command == L"text" || command == L"click";
    if ((drop && argc < 4) || (valued && argc != 5) || (named && argc != 4) ||
        (!drop && !valued && !named)) {
        fputs(
            "usage: uidrive [--title TITLE] WINDOWCLASS query|text|click NAME\n"
            "       uidrive [--title TITLE] WINDOWCLASS drop PATH...\n"
            "       uidrive [--title TITLE] WINDOWCLASS settext|webtext|webloaded NAME VALUE\n",
            stderr);
        return 2;
    }
    // Lines end in "\n" alone, whatever reads them.
    _setmode(_fileno(stdout), _O_BINARY);
    HWND target = FindDrivenWindow(argv[1], title);
    if (!target) {
        fputs("uidrive: no window of that class\n", stderr);
        return 2;
    }
    const wchar_t* request = drop                  ? kDriveDrop
                             : valued              ? command.c_str()
                             : command == L"click" ? kDriveClick
                                                   : kDriveQuery;
    const std::wstring answer = AskDrivenWindow(target, request, Argument(argc, argv));
    if (answer.empty()) {
        fputs("uidrive: the window did not answer\n", stderr);
        return 2;
    }
    if (!drop && AnswerValue(answer, L"found") != L"1") {
        fputs("uidrive: no control of that name\n", stderr);
        return 1;
    }
    if (command == L"text") {
        Print(AnswerValue(answer, L"text") + L"\n");
        return 0;
    }
    Print(answer);
    return command == L"click" && AnswerValue(answer, L"clicked") != L"1" ? 3 : 0;
}
