// Fails in the way its second argument names ("fault" or "throw"), after installing the crash
// filter with the data folder of its first argument. Messages given to the
// program's presenter are written to "presented.txt" there: the crash message
// must not go that way, but through the system's own message box.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "app/MessagePresenter.h"
#include "app/entry/CrashFilter.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"

namespace {

void Fail(const std::string& how) {
    if (how == "fault") {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    } else if (how == "throw") {
        throw std::runtime_error("nobody catches this");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring folder = argv[1];
    InstallCrashFilter(folder);
    SetMessagePresenter([folder](const MessageRequest& request) {
        FILE* file = _wfopen(JoinPath(folder, L"presented.txt").c_str(), L"wb");
        const std::string text = WideToUtf8(request.caption + L"|" + request.body);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        return IDOK;
    });
    Fail(WideToUtf8(argv[2]));
    return 0;
}
