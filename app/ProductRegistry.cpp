#include "app/ProductRegistry.h"

#include "common/FileSystem.h"

namespace {

// Room of a text value read from the program's keys (260 characters).
constexpr DWORD kTextBytes = 520;
// Room of the Run value.
constexpr DWORD kRunValueBytes = 2048;
// Length of a machine code.
constexpr size_t kMachineCodeLength = 16;

constexpr wchar_t kRunValueName[] = L"PimloOCR";
constexpr wchar_t kAutorunSwitch[] = L" /autorun";

// The executable named by a Run value: the text before " /autorun", without
// the quotation marks around it. Values written by earlier versions are
// unquoted, so both forms are read.
std::wstring ExecutableOfRunValue(const std::wstring& value) {
    std::wstring path = value.substr(0, value.find(kAutorunSwitch));
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        path = path.substr(1, path.size() - 2);
    }
    return path;
}

}  // namespace

std::wstring ProductRegistry::UserText(const wchar_t* name) const {
    return ReadRegistryText(paths_.user, name, kTextBytes).value_or(L"");
}

std::wstring ProductRegistry::MachineText(const wchar_t* name) const {
    return ReadRegistryText(paths_.machine, name, kTextBytes).value_or(L"");
}

StoredAccount ProductRegistry::ReadAccount() const {
    StoredAccount stored;
    stored.account = UserText(L"Account");
    stored.nickname = UserText(L"NickName");
    if (stored.account.empty() || stored.nickname.empty()) {
        stored.account.clear();
        stored.nickname.clear();
    }
    stored.loginType = ReadRegistryNumber(paths_.user, L"LoginType").value_or(0);
    return stored;
}

bool ProductRegistry::WriteAccount(const StoredAccount& account) const {
    const bool accountWritten = WriteRegistryText(paths_.user, L"Account", account.account);
    const bool nicknameWritten = WriteRegistryText(paths_.user, L"NickName", account.nickname);
    const bool typeWritten = WriteRegistryNumber(paths_.user, L"LoginType", account.loginType);
    return accountWritten && nicknameWritten && typeWritten;
}

void ProductRegistry::DeleteAccount() const {
    DeleteRegistryValue(paths_.user, L"Account");
    DeleteRegistryValue(paths_.user, L"NickName");
    DeleteRegistryValue(paths_.user, L"LoginType");
}

DWORD ProductRegistry::UpdateDay() const {
    return ReadRegistryNumber(paths_.user, L"UpdateDay").value_or(0);
}

void ProductRegistry::SetUpdateDay(DWORD day) const {
    WriteRegistryNumber(paths_.user, L"UpdateDay", day);
}

std::wstring ProductRegistry::UpdateDate() const { return UserText(L"UpdateDate"); }

void ProductRegistry::SetUpdateDate(const std::wstring& date) const {
    WriteRegistryText(paths_.user, L"UpdateDate", date);
}

std::wstring ProductRegistry::AdId() const { return UserText(L"AdId"); }

void ProductRegistry::SetAdId(const std::wstring& adId) const {
    WriteRegistryText(paths_.user, L"AdId", adId);
}

std::wstring ProductRegistry::Patch() const { return UserText(L"patch"); }

bool ProductRegistry::InstallReportPending() const {
    return RegistryValueExists(paths_.user, L"SendInstallMessage");
}

void ProductRegistry::ClearInstallReportPending() const {
    DeleteRegistryValue(paths_.user, L"SendInstallMessage");
}

std::wstring ProductRegistry::MachineCode() const {
    std::wstring code = MachineText(L"uid");
    return code.size() == kMachineCodeLength ? code : std::wstring();
}

bool ProductRegistry::SetMachineCode(const std::wstring& code) const {
    return WriteRegistryText(paths_.machine, L"uid", code);
}

std::wstring ProductRegistry::InstallerName() const { return MachineText(L"InstallerName"); }

std::wstring ProductRegistry::InstalledVersion() const { return MachineText(L"Version"); }

bool ProductRegistry::AutorunEnabled() const {
    const std::optional<std::wstring> value =
        ReadRegistryText(paths_.run, kRunValueName, kRunValueBytes);
    return value && FileExists(ExecutableOfRunValue(*value));
}

bool ProductRegistry::SetAutorun(bool on, const std::wstring& executable) const {
    if (!on) {
        return DeleteRegistryValue(paths_.run, kRunValueName);
    }
    // Quoted, so that a path with spaces ("C:\Program Files\...") can not be
    // taken for a shorter program path ("C:\Program.exe") when Windows starts it.
    return WriteRegistryText(paths_.run, kRunValueName,
                             L"\"" + executable + L"\"" + kAutorunSwitch);
}
