#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/WebEngineLoader.h"

// The comparison view ("dlg_diff.xml"): the picture in the web view "wke",
// shown by the program's page "image.html", beside its text in "ocrText",
// where the user corrects it. A maximised, resizable window; closing it in
// any way keeps the edit, "撤消" goes back to the text it opened with.
class CDiffDlg : public CDialogWindow {
public:
    // The edited text replaces text when the window closes with a change.
    CDiffDlg(std::wstring picture, std::wstring& text);

protected:
    // Combined identity-card pictures live only as long as the view that
    // showed them: their folder goes with it.
    ~CDiffDlg() override;

private:
    std::wstring picture_;
    std::wstring& text_;
    const std::wstring opened_;
    CWkeWebkitUI* view_ = nullptr;
    const WebEngineCalls* engine_ = nullptr;
    float zoom_ = 1.0f;

    DWORD WindowStyle() const override;
    void Init() override;
    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    void Zoom(float step);
    std::wstring EditedText();
};

// Opens the comparison view over owner until it is closed: the text as the
// user left it (the given text when nothing was changed or the view could
// not open).
std::wstring CompareWithPicture(HWND owner, const std::wstring& picture, const std::wstring& text);

// The address of the picture page for a picture: "file:///" and the page
// "image.html" of programFolder with forward slashes, then "?img=" and the
// picture's UTF-8 path escaped as one URI component, so that "#", "%", "&",
// "+" and quotes in a file name reach the page as they are.
std::wstring PicturePageAddress(const std::wstring& programFolder, const std::wstring& picture);

// Keeps a zoom factor where a picture stays visible and sensible.
float ClampZoom(float factor);
