#pragma once

#include <windows.h>
// gdiplus.h needs the types of objidl.h, which the lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

// Runs GDI+ while it lives (link gdiplus). The program holds one for its
// whole run; tests hold one for theirs.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};
