#include "platform/uilib/controls/ListLabelElementUI.h"

std::wstring CListLabelElementUI::GetClass() const { return L"ListLabelElement"; }
