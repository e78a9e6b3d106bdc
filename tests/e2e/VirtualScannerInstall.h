#pragma once
// The tests' virtual scanner where Wine's own TWAIN manager finds it, for
// the scan tests and the scan benchmark (PIMLO_INSTALL_DIR holds its build).

#include <string>

#include "common/FileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/ProgramSession.h"

// The system folder where Wine's manager looks for "sane.ds", by the
// build's width.
inline std::wstring SourceFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return JoinPath(windows, sizeof(void*) == 8 ? L"twain_64" : L"twain_32");
}

// The virtual scanner's script, "VirtualScanner.ini" beside it.
inline void WriteScannerScript(const std::wstring& path, const std::string& lines) {
    WriteFileBytes(path, "[Scanner]\r\n" + lines);
}

// The virtual scanner installed as the system manager's "sane.ds" with its
// script beside it while this lives; whatever was there before is put back.
class InstalledScanner {
public:
    InstalledScanner() {
        CreateFolderTree(SourceFolder());
        WriteFileBytes(source_.Path(), ReadFileBytes(PIMLO_INSTALL_DIR L"\\sane.ds"));
    }
    // The scanner's script; it logs its openings and closings afresh.
    void Script(const std::string& lines) const {
        DeleteFileW(log_.Path().c_str());
        WriteScannerScript(script_.Path(), lines + "Log=1\r\n");
    }
    // Waits for the program to close the source after a scan.
    bool WaitForClosing() const {
        return ProgramSession::WaitFor(
            [this] { return Log().find("CLOSEDS") != std::string::npos; });
    }
    // Takes the scanner away until the end of the test: the manager finds no source.
    void Remove() const { DeleteFileW(source_.Path().c_str()); }
    // What the scanner logged since its script was written.
    std::string Log() const { return ReadFileBytes(log_.Path()); }

private:
    SavedFile source_{JoinPath(SourceFolder(), L"sane.ds")};
    SavedFile script_{JoinPath(SourceFolder(), L"VirtualScanner.ini")};
    SavedFile log_{JoinPath(SourceFolder(), L"VirtualScanner.log")};
};
