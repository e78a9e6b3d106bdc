#pragma once

#include <windows.h>

#include <string>

#include "app/Registry.h"

// The signed-in account as the registry keeps it.
struct StoredAccount {
    std::wstring account;
    std::wstring nickname;
    DWORD loginType = 0;  // 0 nobody, 1 mobile number, 2 QQ, 3 WeChat
};

// Where the program's registry values live. Tests point them at keys of their own.
struct ProductRegistryPaths {
    RegistryLocation user{HKEY_CURRENT_USER, L"Software\\PimloOCR"};
    RegistryLocation machine{HKEY_LOCAL_MACHINE, L"Software\\PimloOCR", KEY_WOW64_32KEY};
    RegistryLocation run{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"};
};

// The registry values of the program, per user and machine-wide, with their
// types. A read that fails gives an empty text or 0.
class ProductRegistry {
public:
    explicit ProductRegistry(ProductRegistryPaths paths = {}) : paths_(std::move(paths)) {}

    // Account, NickName and LoginType; the account and nickname only when both
    // are non-empty.
    StoredAccount ReadAccount() const;
    // Account and NickName as REG_SZ, LoginType as REG_DWORD. True when all three were written.
    bool WriteAccount(const StoredAccount& account) const;
    void DeleteAccount() const;

    // Day of the month (1 to 31) of the last automatic update check.
    DWORD UpdateDay() const;
    void SetUpdateDay(DWORD day) const;
    // The whole date of that check, "year-month-day": the day of the month
    // alone would skip a user who starts the program on that day each month.
    std::wstring UpdateDate() const;
    void SetUpdateDate(const std::wstring& date) const;

    // Installer channel number, derived once from the installer's name.
    std::wstring AdId() const;
    void SetAdId(const std::wstring& adId) const;

    // Patch level, written by whoever patches the installation.
    std::wstring Patch() const;

    // "SendInstallMessage", left by the installer until the install report is sent.
    bool InstallReportPending() const;
    void ClearInstallReportPending() const;

    // Machine-wide: the machine code, used only when exactly 16 characters long.
    std::wstring MachineCode() const;
    bool SetMachineCode(const std::wstring& code) const;
    // Machine-wide values of the installer.
    std::wstring InstallerName() const;
    std::wstring InstalledVersion() const;

    // Start with Windows: the Run value "PimloOCR" exists and names an
    // existing executable before its " /autorun".
    bool AutorunEnabled() const;
    // On: the Run value becomes the quoted executable path + " /autorun";
    // off: the value is deleted. True on success.
    bool SetAutorun(bool on, const std::wstring& executable) const;

private:
    std::wstring UserText(const wchar_t* name) const;
    std::wstring MachineText(const wchar_t* name) const;

    ProductRegistryPaths paths_;
};
