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
