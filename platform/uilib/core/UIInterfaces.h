#pragma once

#include <windows.h>

#include "platform/uilib/core/UIEvents.h"

class CControlUI;

// Receives the notifications of a paint manager (AddNotifier).
class INotifyUI {
public:
    virtual void Notify(TNotifyUI& msg) = 0;

protected:
    ~INotifyUI() = default;
};

// Sees every window message before the paint manager handles it
// (AddMessageFilter); setting bHandled stops the message there.
class IMessageFilterUI {
public:
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

protected:
    ~IMessageFilterUI() = default;
};

// Lets a window create controls of classes the library does not know.
class IDialogBuilderCallback {
public:
    virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

// Gives a window the chance to refill control texts after a language change.
class IReloadControlText {
public:
    virtual void ReloadControlText() {}

protected:
    ~IReloadControlText() = default;
};
