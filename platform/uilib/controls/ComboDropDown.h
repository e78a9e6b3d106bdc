#pragma once

#include <windows.h>

class CComboUI;

// The list a combo box opens: a borderless pop-up under the combo that
// draws the items with the combo's window fonts, follows the mouse and
// closes on a choice, a click elsewhere or Escape.
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
    int ItemAt(LPARAM lParam) const;
    void Choose(int index);

    HWND hwnd_ = nullptr;
    CComboUI* combo_ = nullptr;
    int itemHeight_ = 0;
    int hot_ = -1;
};
