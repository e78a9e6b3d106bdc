#include "platform/uilib/core/ControlFactory.h"

#include <map>

#include "platform/uilib/UIlib.h"

namespace {

template <class Control>
CControlUI* Make() {
    return new Control;
}

std::map<std::wstring, CControlFactory::Creator>& Registry() {
    static std::map<std::wstring, CControlFactory::Creator> creators = {
        {L"Control", Make<CControlUI>},
        {L"Container", Make<CContainerUI>},
        {L"VerticalLayout", Make<CVerticalLayoutUI>},
        {L"HorizontalLayout", Make<CHorizontalLayoutUI>},
        {L"TabLayout", Make<CTabLayoutUI>},
        {L"AnimationTabLayout", Make<CAnimationTabLayoutUI>},
        {L"ScrollBar", Make<CScrollBarUI>},
        {L"Label", Make<CLabelUI>},
        {L"Text", Make<CTextUI>},
        {L"Button", Make<CButtonUI>},
        {L"Option", Make<COptionUI>},
        {L"CheckBox", Make<CCheckBoxUI>},
        {L"Edit", Make<CEditUI>},
        {L"RichEdit", Make<CRichEditUI>},
        {L"Combo", Make<CComboUI>},
        {L"List", Make<CListUI>},
        {L"ListContainerElement", Make<CListContainerElementUI>},
        {L"ListLabelElement", Make<CListLabelElementUI>},
        {L"GifAnim", Make<CGifAnimUI>},
        {L"HotKey", Make<CHotKeyUI>},
        {L"WkeWebkit", Make<CWkeWebkitUI>},
        {L"Menu", Make<CMenuUI>},
        {L"MenuElement", Make<CMenuElementUI>},
    };
    return creators;
}

}  // namespace

void CControlFactory::Register(const std::wstring& name, Creator creator) {
    Registry()[name] = std::move(creator);
}

CControlUI* CControlFactory::Create(const std::wstring& name) {
    auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : found->second();
}
