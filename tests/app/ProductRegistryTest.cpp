#include <gtest/gtest.h>
#include <winternl.h>

#include <string>

#include "app/ProductRegistry.h"
#include "app/SignedInAccount.h"
#include "tests/app/AppTestSupport.h"

namespace {

std::wstring UniqueTestKey() {
    static int counter = 0;
    return L"Software\\PimloOCRTest\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++);
}

ProductRegistryPaths PathsUnder(const std::wstring& key) {
    return {{HKEY_CURRENT_USER, key + L"\\User"},
            {HKEY_CURRENT_USER, key + L"\\Machine"},
            {HKEY_CURRENT_USER, key + L"\\Run"}};
}

// Every value under keys of the test's own, deleted afterwards.
class ProductRegistryTest : public testing::Test {
protected:
    ~ProductRegistryTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
        SetCurrentAccount({});
    }

    // Type and byte count of a stored value.
    std::pair<DWORD, DWORD> Stored(const RegistryLocation& location, const wchar_t* name) {
        DWORD type = 0;
        DWORD size = 0;
        HKEY key = nullptr;
        if (RegOpenKeyExW(location.root, location.key.c_str(), 0, KEY_READ, &key) == 0) {
            RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
            RegCloseKey(key);
        }
        return {type, size};
    }

    // Stores the bytes exactly as given, through the native call:
    // RegSetValueEx under Wine adds the terminating zero a text lacks.
    void StoreRaw(const RegistryLocation& location, const wchar_t* name, DWORD type,
                  const std::wstring& bytesAsText, size_t byteCount) {
        using SetValue = LONG(WINAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
        const auto setValue = reinterpret_cast<SetValue>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
        HKEY key = nullptr;
        RegCreateKeyExW(location.root, location.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        std::wstring valueName = name;
        UNICODE_STRING unicodeName = {static_cast<USHORT>(valueName.size() * 2),
                                      static_cast<USHORT>(valueName.size() * 2), valueName.data()};
        setValue(key, &unicodeName, 0, type, bytesAsText.data(), static_cast<ULONG>(byteCount));
        RegCloseKey(key);
    }

    std::wstring base_ = UniqueTestKey();
    ProductRegistryPaths paths_ = PathsUnder(base_);
    ProductRegistry registry_{paths_};
};

}  // namespace

TEST_F(ProductRegistryTest, AccountIsStoredWithExactTypesAndSizes) {
    StoreAccount(registry_, {L"13800138000", L"小明", 1});
    // Text without its terminating zero; Wine's RegSetValueEx adds the zero itself.
    for (const auto& [name, bytes] :
         {std::make_pair(L"Account", 22u), std::make_pair(L"NickName", 4u)}) {
        const auto [type, size] = Stored(paths_.user, name);
        EXPECT_EQ(type, DWORD{REG_SZ});
        EXPECT_TRUE(size == bytes || size == bytes + 2) << size;
    }
    EXPECT_EQ(Stored(paths_.user, L"LoginType"), std::make_pair(DWORD{REG_DWORD}, DWORD{4}));
    const StoredAccount read = registry_.ReadAccount();
    EXPECT_EQ(read.account, L"13800138000");
    EXPECT_EQ(read.nickname, L"小明");
    EXPECT_EQ(read.loginType, 1u);
    EXPECT_EQ(CurrentAccount().nickname, L"小明");

    DeleteStoredAccount(registry_);
    EXPECT_EQ(Stored(paths_.user, L"Account").second, 0u);
    EXPECT_EQ(Stored(paths_.user, L"LoginType").second, 0u);
    EXPECT_TRUE(CurrentAccount().account.empty());
}

TEST_F(ProductRegistryTest, AccountNeedsBothNameAndNickname) {
    registry_.WriteAccount({L"openid", L"", 2});
    StoredAccount read = LoadStoredAccount(registry_);
    EXPECT_EQ(read.account, L"");
    EXPECT_EQ(read.nickname, L"");
    registry_.DeleteAccount();
    registry_.WriteAccount({L"", L"nick", 3});
    read = registry_.ReadAccount();
    EXPECT_EQ(read.account, L"");
    EXPECT_EQ(read.nickname, L"");
}

TEST_F(ProductRegistryTest, TextValuesAreReadByTheirStoredLength) {
    StoreRaw(paths_.user, L"AdId", REG_SZ, L"77\0junk", 6);  // terminated inside
    StoreRaw(paths_.user, L"patch", REG_SZ, std::wstring(260, L'p'),
             520);  // fills the room, no zero
    StoreRaw(paths_.user, L"Account", REG_SZ, std::wstring(261, L'a'), 522);  // too long
    StoreRaw(paths_.user, L"NickName", REG_DWORD, L"\x1\x0", 4);              // not text
    EXPECT_EQ(registry_.AdId(), L"77");
    EXPECT_EQ(registry_.Patch(), std::wstring(260, L'p'));
    EXPECT_EQ(registry_.ReadAccount().account, L"");
    EXPECT_EQ(registry_.UpdateDay(), 0u);
    registry_.SetUpdateDay(31);
    EXPECT_EQ(registry_.UpdateDay(), 31u);
}

TEST_F(ProductRegistryTest, MachineValues) {
    registry_.SetMachineCode(L"0123456789ABCDE");
    EXPECT_EQ(registry_.MachineCode(), L"");  // 15 characters: not a machine code
    registry_.SetMachineCode(L"0123456789ABCDEF");
    EXPECT_EQ(registry_.MachineCode(), L"0123456789ABCDEF");
    EXPECT_EQ(registry_.InstalledVersion(), L"");
    StoreRaw(paths_.user, L"SendInstallMessage", REG_DWORD, L"\x1\x0", 4);
    EXPECT_TRUE(registry_.InstallReportPending());
    registry_.ClearInstallReportPending();
    EXPECT_FALSE(registry_.InstallReportPending());
}

TEST_F(ProductRegistryTest, AutorunFollowsTheExecutableItNames) {
    TempFolder folder;
    const std::wstring executable = folder.File(L"Pimlo OCR.exe");
    WriteFileBytes(executable, "MZ");
    EXPECT_FALSE(registry_.AutorunEnabled());

    EXPECT_TRUE(registry_.SetAutorun(true, executable));
    EXPECT_EQ(ReadRegistryText(paths_.run, L"PimloOCR", 2048), L"\"" + executable + L"\" /autorun");
    EXPECT_TRUE(registry_.AutorunEnabled());

    // Values of earlier versions are unquoted.
    WriteRegistryText(paths_.run, L"PimloOCR", executable + L" /autorun");
    EXPECT_TRUE(registry_.AutorunEnabled());
    DeleteFileW(executable.c_str());
    EXPECT_FALSE(registry_.AutorunEnabled());

    EXPECT_TRUE(registry_.SetAutorun(false, executable));
    EXPECT_FALSE(RegistryValueExists(paths_.run, L"PimloOCR"));
}

namespace {

// A value of the machine-wide key in one registry view, put back as it was
// (or deleted) when the test ends.
class ScopedMachineValue {
public:
    ScopedMachineValue(REGSAM view, const wchar_t* name, const std::wstring& text)
        : view_(view), name_(name) {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof(previous_);
        hadPrevious_ = RegQueryValueExW(key_, name_, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(previous_), &size) == 0;
        previousSize_ = size;
        RegSetValueExW(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    }
    ~ScopedMachineValue() {
        if (hadPrevious_) {
            RegSetValueExW(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_),
                           previousSize_);
        } else {
            RegDeleteValueW(key_, name_);
        }
        RegCloseKey(key_);
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\PimloOCR";
    REGSAM view_;
    const wchar_t* name_;
    HKEY key_ = nullptr;
    wchar_t previous_[260] = {};
    DWORD previousSize_ = 0;
    bool hadPrevious_ = false;
};

}  // namespace

// The shipped 32-bit program and its 32-bit installer see the 32-bit view of
// the machine-wide key on 64-bit Windows: every build reads that one.
TEST(ProductRegistryViewTest, MachineValuesComeFromThe32BitView) {
    ScopedMachineValue installer(KEY_WOW64_32KEY, L"InstallerName", L"PimloOCR_setup_1234.exe");
    ScopedMachineValue version(KEY_WOW64_64KEY, L"Version", L"9.9.9");
    EXPECT_EQ(ProductRegistry().InstallerName(), L"PimloOCR_setup_1234.exe");
    EXPECT_EQ(ProductRegistry().InstalledVersion(), L"");
}
