#pragma once

#include <functional>
#include <string>

#include "platform/uilib/UIExport.h"

class CControlUI;

// Makes controls by layout element name ("Button" for CButtonUI). Every
// control of the library registers itself in ControlFactory.cpp; a window
// can add its own classes through IDialogBuilderCallback instead.
class UILIB_API CControlFactory {
public:
    using Creator = std::function<CControlUI*()>;

    static void Register(const std::wstring& name, Creator creator);
    // A new control, or null for an unknown name.
    static CControlUI* Create(const std::wstring& name);
};
