#pragma once

#include <windows.h>

#include <string_view>

// The zipped layout files and pictures built into the executable as resource
// "DATA" 201. Empty when the resource is missing or empty.
std::string_view LoadLayoutArchive(HINSTANCE instance);
