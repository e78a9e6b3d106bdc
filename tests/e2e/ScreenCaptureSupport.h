#pragma once
// What the screen-capture tests and the capture benchmark share: a line of
// text shown on the screen at a known place, and the program's overlay.

#include <windows.h>

#include <string>

#include "tests/e2e/ProgramSession.h"

inline constexpr wchar_t kShownText[] = L"Pimlo cuts 2026";
// Where the line of text is shown: clear of the program's centred window.
inline constexpr RECT kShownTextPlace = {30, 30, 530, 120};

// A window of this process that shows kShownText at kShownTextPlace.
class ShownText {
public:
    ShownText();
    ~ShownText();
    ShownText(const ShownText&) = delete;
    ShownText& operator=(const ShownText&) = delete;

private:
    HWND window_;
};

// True when recognised holds kShownText, letter case and spacing aside (the
// service may read "cuts 2026" as "Cuts2026").
bool HoldsShownText(const std::wstring& recognised);

// The program's capture overlay once it shows (up to 5 s), else null.
HWND CaptureOverlay(const ProgramSession& program);

// xdotool's arguments that drag from just inside the text's top left to
// just inside its bottom right, with Tab held at the release when table is
// set; release false leaves the button down at the end.
std::string DragAroundShownText(bool table = false, bool release = true);
