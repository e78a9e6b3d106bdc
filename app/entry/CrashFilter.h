#pragma once

#include <string>

// Makes every failure that would end the process (a processor fault on any
// thread, an uncaught C++ exception, an invalid argument to the C runtime)
// write a minidump to "Error.tmp" in dataFolder, tell the user with the crash
// message ("except") and end the process. A failed allocation of the C heap
// goes through the allocation-failure handler like one of operator new.
void InstallCrashFilter(const std::wstring& dataFolder);
