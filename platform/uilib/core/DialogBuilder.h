#pragma once

#include <windows.h>

#include "platform/uilib/UIExport.h"

class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;

// Builds a control tree from a layout: a file name relative to the
// manager's layout folder (read from the resource archive, else from disk)
// or XML text starting with "<". A <Window> root sets the manager's window
// attributes, <Include source="..."/> reads another layout in place, <Font>
// and <Default> fill the manager's fonts and default attributes; the first
// control element becomes the returned root. With a parent the new root is
// added to it (a container).
class UILIB_API CDialogBuilder {
public:
    CControlUI* Create(LPCTSTR xml, LPCTSTR type = nullptr,
                       IDialogBuilderCallback* callback = nullptr,
                       CPaintManagerUI* manager = nullptr, CControlUI* parent = nullptr);
};
