#pragma once

#include "platform/uilib/controls/NativeControlUI.h"

// A one-line text field: a native EDIT child over the control's rectangle
// (less the text padding and border). Return in it sends "return"; each
// change sends "textchanged".
class UILIB_API CEditUI : public CNativeControlUI {
public:
    CEditUI();
    ~CEditUI() override;

    std::wstring GetClass() const override;

    std::wstring GetText() const override;
    void SetText(LPCTSTR text) override;
    void SetMaxChar(UINT maxChar);
    UINT GetMaxChar() const { return maxChar_; }
    void SetNumberOnly(bool numberOnly);
    bool IsNumberOnly() const { return numberOnly_; }
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }
    void SetPasswordMode(bool password);

    bool HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    // Window class and styles of the child; the rich edit changes them.
    virtual LPCWSTR NativeClass() const;
    virtual DWORD NativeStyle() const;
    bool CreateNative(HWND parent) override;
    virtual void OnNativeCreated() {}
    RECT NativeRect() const override;
    void ApplyNativeOptions();
    // The child's own messages, before its window procedure; true when
    // handled (result then answers).
    virtual bool OnNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT maxChar_ = 0;
    bool numberOnly_ = false;
    bool readOnly_ = false;
    bool password_ = false;
};
