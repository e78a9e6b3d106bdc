#include "platform/uilib/controls/ListLabelElementUI.h"

#include "platform/uilib/controls/ListUI.h"
#include "platform/uilib/render/RenderEngine.h"

std::wstring CListLabelElementUI::GetClass() const { return L"ListLabelElement"; }

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (!CListUI::HandleRowEvent(this, hot_, event)) CLabelUI::DoEvent(event);
}

void CListLabelElementUI::PaintBkColor(HDC hDC) {
    if (DWORD color = CListUI::RowColour(this, hot_)) CRenderEngine::DrawColor(hDC, pos_, color);
    CLabelUI::PaintBkColor(hDC);
}
