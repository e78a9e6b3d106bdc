#include "platform/uilib/controls/MenuElementUI.h"

#include "platform/uilib/render/RenderEngine.h"

CMenuElementUI::CMenuElementUI() {
    fixed_.cy = 30;
    textStyle_ = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    textPadding_ = {16, 0, 16, 0};
    hotBkColor_ = 0xFFEEF3FB;
    keyboardEnabled_ = false;
}

std::wstring CMenuElementUI::GetClass() const { return L"MenuElement"; }

bool CMenuElementUI::Activate() { return !GetText().empty() && CButtonUI::Activate(); }

void CMenuElementUI::DoPaint(HDC hDC, const RECT& paint) {
    if (!GetText().empty()) {
        CButtonUI::DoPaint(hDC, paint);
        return;
    }
    int middle = (pos_.top + pos_.bottom) / 2;
    RECT line = {pos_.left + Scaled(10), middle, pos_.right - Scaled(10), middle + 1};
    CRenderEngine::DrawColor(hDC, line, 0xFFE3E7ED);
}
