#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Typed values under a registry key. Text values are REG_SZ whose byte count
// leaves out the terminating zero; numbers are 4-byte REG_DWORD values.
struct RegistryLocation {
    HKEY root = HKEY_CURRENT_USER;
    std::wstring key;
    // The registry view on 64-bit Windows: KEY_WOW64_32KEY for a machine-wide
    // key that the 32-bit program and its 32-bit installer share, so that a
    // 64-bit build of the same sources reads the same values; 0 for the
    // caller's own view.
    REGSAM view = 0;
};

// The text of a REG_SZ (or REG_EXPAND_SZ, not expanded) value of at most
// maxBytes bytes; nothing when the value is missing, of another type or
// longer. A stored terminating zero, or none, gives the same text.
std::optional<std::wstring> ReadRegistryText(const RegistryLocation& location, const wchar_t* name,
                                             DWORD maxBytes);

// A REG_DWORD value; nothing when it is missing or of another type or size.
std::optional<DWORD> ReadRegistryNumber(const RegistryLocation& location, const wchar_t* name);

// True when the value exists, whatever its type.
bool RegistryValueExists(const RegistryLocation& location, const wchar_t* name);

// Write into the key, creating it when missing. True on success.
bool WriteRegistryText(const RegistryLocation& location, const wchar_t* name,
                       const std::wstring& text);
bool WriteRegistryNumber(const RegistryLocation& location, const wchar_t* name, DWORD value);

// True when the value is gone afterwards (also when it never existed).
bool DeleteRegistryValue(const RegistryLocation& location, const wchar_t* name);
