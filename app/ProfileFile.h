#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Keyed values of an ini-style profile file ("config.ini", "oem.ini"), read
// and written with the system's profile functions. Missing files and keys
// read as the default; failed writes are ignored by the callers.

// GetPrivateProfileInt: the leading decimal digits of the value, the default
// when the key is missing.
int32_t ReadProfileInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                           int32_t defaultValue);

// The value cut to capacity - 1 characters; the default when the key is missing.
std::wstring ReadProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                             const std::wstring& defaultValue, size_t capacity);

// Writes value as decimal text ("%d"). True when the system wrote it.
bool WriteProfileInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                         int32_t value);

// Writes value unchanged. True when the system wrote it.
bool WriteProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                      const std::wstring& value);
