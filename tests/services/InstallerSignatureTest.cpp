// Which downloaded installers count as signed by a trusted publisher: only
// an intact file signed by a certificate that chains to a trusted root.
// Each file is checked by a child process, started after the test's
// authority was trusted or taken away (see TrustedTestRoot.h).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "common/FileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TrustedTestRoot.h"

namespace {

std::string Read(const std::wstring& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// The file offset of the first code section's bytes in a PE image, or 0.
size_t CodeOffset(const std::string& image) {
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, image.data(), sizeof(dos));
    IMAGE_FILE_HEADER file;
    std::memcpy(&file, image.data() + dos.e_lfanew + 4, sizeof(file));
    size_t sections = dos.e_lfanew + 4 + sizeof(file) + file.SizeOfOptionalHeader;
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        std::memcpy(&section, image.data() + sections + i * sizeof(section), sizeof(section));
        if (section.Characteristics & IMAGE_SCN_CNT_CODE) return section.PointerToRawData;
    }
    return 0;
}

// The signed installer with one byte of its program code changed.
std::string Tampered() {
    std::string image = Read(PIMLO_SIGNED_INSTALLER);
    size_t code = CodeOffset(image);
    if (code) image[code + 16] ^= 0x01;
    return image;
}

// HasTrustedSignature(path) in a process of its own; nullopt when that
// process did not run to its answer.
std::optional<bool> AcceptedByNewProcess(const std::wstring& path) {
    std::wstring command = L"\"" PIMLO_SIGNATURE_CHILD L"\" \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return std::nullopt;
    }
    DWORD exitCode = 2;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (exitCode > 1) return std::nullopt;
    return exitCode == 0;
}

struct Case {
    const char* name;
    std::function<std::string()> content;  // null: no file at all
    bool rootTrusted;
    bool accepted;
};

TEST(InstallerSignature, OnlyAnIntactFileFromATrustedPublisherIsAccepted) {
    const auto signedInstaller = [] { return Read(PIMLO_SIGNED_INSTALLER); };
    const Case cases[] = {
        {"signed, authority trusted", signedInstaller, true, true},
        {"signed, authority not trusted", signedInstaller, false, false},
        {"code changed after signing", Tampered, true, false},
        {"unsigned", [] { return Read(PIMLO_UNSIGNED_INSTALLER); }, true, false},
        {"missing", nullptr, true, false},
        {"text", [] { return std::string("version=9.0.0\r\n"); }, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::wstring path = folder.File(L"PimloOCRSetup.exe");
        if (c.content) {
            const std::string bytes = c.content();
            ASSERT_GT(bytes.size(), 0u);
            WriteFileBytes(path, bytes);
        }
        std::optional<TrustedTestRoot> root;
        if (c.rootTrusted) {
            root.emplace(PIMLO_TEST_SIGNING_ROOT);
            ASSERT_TRUE(root->Trusted());
        }
        EXPECT_EQ(AcceptedByNewProcess(path), std::optional<bool>(c.accepted));
    }
}

}  // namespace
