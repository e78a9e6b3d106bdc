#include "platform/uilib/controls/TextUI.h"

CTextUI::CTextUI() { textStyle_ = DT_WORDBREAK; }

std::wstring CTextUI::GetClass() const { return L"Text"; }
