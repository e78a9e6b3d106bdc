#pragma once

#include <windows.h>

class CComboUI;

// The list a combo box opens: a borderless pop-up under the combo that
// draws the items with the combo's window fonts, follows the mouse and the
// arrow keys, and closes on a choice (click or Return), a click elsewhere,
// Escape or the focus going elsewhere.
class ComboDropDown {
public:
    ComboDropDown() = default;
    ~ComboDropDown();
    ComboDropDown(const ComboDropDown&) = delete;
    ComboDropDown& operator=(const ComboDropDown&) = delete;

    void Show(CComboUI* combo);
    void Close();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Paint();
    // The items, the hot one highlighted, and the border.
    void DrawList(HDC dc, const RECT& client);
    int ItemAt(LPARAM lParam) const;
    void OnKey(WPARAM key);
    void Choose(int index);

    HWND hwnd_ = nullptr;
    CComboUI* combo_ = nullptr;
    int itemHeight_ = 0;
    int hot_ = -1;
};
