#pragma once

// The part of the Windows API that the parsing code and the headers it
// includes use, for the native fuzzing build. Types keep their Windows
// meaning; the functions are implemented in Win32.cpp beside this file.
// wchar_t is 32 bits wide here, so a wide string holds UTF-16 code units,
// one per element, exactly as many as on Windows.

#include <cstdarg>
#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = unsigned char;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using LONG = int32_t;
using REGSAM = DWORD;
using HWND = struct HWND__*;
using HKEY = struct HKEY__*;
using HANDLE = void*;
using LPCWSTR = const wchar_t*;

#define CALLBACK
#define WINAPI

inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002));
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;

constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// Code page 936 (the program's ANSI code page) through iconv's GBK, UTF-8 by
// the system's rules: invalid input fails with MB_ERR_INVALID_CHARS and is
// replaced otherwise.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int textLength, wchar_t* wide,
                        int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* wide, int wideLength, char* text,
                        int textLength, const char* defaultChar, BOOL* usedDefault);

int _vsnwprintf(wchar_t* buffer, size_t count, const wchar_t* format, va_list args);
void OutputDebugStringW(LPCWSTR text);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
BOOL DeleteFileW(LPCWSTR path);
void GetLocalTime(SYSTEMTIME* time);
void Sleep(DWORD milliseconds);
