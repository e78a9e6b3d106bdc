#include "platform/uilib/controls/CheckBoxUI.h"

std::wstring CCheckBoxUI::GetClass() const { return L"CheckBox"; }
