#pragma once

// Everything the program uses from the UI library is exported from PimloUI.dll;
// the library's own sources are compiled with PIMLO_UILIB_BUILD.
#ifdef PIMLO_UILIB_BUILD
#define UILIB_API __declspec(dllexport)
#else
#define UILIB_API __declspec(dllimport)
#endif
