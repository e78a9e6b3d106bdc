#include "platform/uilib/drive/DriveServer.h"

#include <windowsx.h>
// shlobj.h holds DROPFILES.
#include <shlobj.h>

#include <string>

#include "platform/uilib/controls/WkeWebkitUI.h"
#include "platform/uilib/core/ControlUI.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/drive/DriveProtocol.h"

namespace {

bool Contains(CControlUI* ancestor, CControlUI* control) {
    for (; control; control = control->GetParent()) {
        if (control == ancestor) {
            return true;
        }
    }
    return false;
}

// Pages of a tab layout may each hold a control of the same name ("Back"):
// the one the user can see is meant, else the first.
CControlUI* FindForDriver(CPaintManagerUI& manager, const std::wstring& name) {
    CControlUI* root = manager.GetRoot();
    CControlUI* shown = root ? root->FindFirst([&name](CControlUI* control) {
        return control->GetName() == name && control->IsVisible();
    })
                             : nullptr;
    return shown ? shown : manager.FindControl(name.c_str());
}

void Reply(HWND window, HWND sender, const std::wstring& text) {
    COPYDATASTRUCT data = {DriveTag(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(text.c_str())};
    SendMessageW(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                 reinterpret_cast<LPARAM>(&data));
}

// One "key=value" line; line breaks inside the value are escaped.
std::wstring Line(const wchar_t* key, const std::wstring& value) {
    std::wstring escaped;
    for (wchar_t c : value) {
        if (c == L'\n') {
            escaped += L"\\n";
        } else if (c == L'\r') {
            escaped += L"\\r";
        } else if (c == L'\\') {
            escaped += L"\\\\";
        } else {
            escaped += c;
        }
    }
    return std::wstring(key) + L"=" + escaped + L"\n";
}

std::wstring Describe(CPaintManagerUI& manager, CControlUI* control) {
    RECT pos = control->GetPos();
    MapWindowPoints(manager.GetPaintWindow(), nullptr, reinterpret_cast<POINT*>(&pos), 2);
    std::wstring text = Line(L"found", L"1");
    text += Line(L"name", control->GetName());
    text += Line(L"class", control->GetClass());
    text += Line(L"text", control->GetText());
    text += Line(L"visible", control->IsVisible() ? L"1" : L"0");
    text += Line(L"enabled", control->IsEnabled() ? L"1" : L"0");
    text += Line(L"selected", control->IsSelected() ? L"1" : L"0");
    text += Line(L"left", std::to_wstring(pos.left));
    text += Line(L"top", std::to_wstring(pos.top));
    text += Line(L"right", std::to_wstring(pos.right));
    text += Line(L"bottom", std::to_wstring(pos.bottom));
    if (auto* view = dynamic_cast<CWkeWebkitUI*>(control)) text += Line(L"url", view->GetURL());
    return text;
}

// The commands that carry a value after the control's name: settext,
// webtext and webloaded.
std::wstring Act(CControlUI* control, const std::wstring& command, const std::wstring& value) {
    if (command == kDriveSetText) {
        control->SetText(value.c_str());
        return Line(L"found", L"1") + Line(L"set", L"1");
    }
    auto* view = dynamic_cast<CWkeWebkitUI*>(control);
    if (!view) return Line(L"found", L"1") + Line(L"reason", L"not a web view");
    if (command == kDriveWebText) {
        const wchar_t* answer = view->DeliverTextMessage(value.c_str());
        return Line(L"found", L"1") + Line(L"answer", answer ? answer : L"");
    }
    const int code = _wtoi(value.c_str());
    view->DeliverLoadingFinish(view->GetURL().c_str(), code, code == 0 ? L"" : L"driven");
    return Line(L"found", L"1") + Line(L"delivered", L"1");
}

// A click as the mouse makes it: move, press and release at the control's
// centre, posted so the window handles them after this answer.
std::wstring Click(CPaintManagerUI& manager, CControlUI* control) {
    if (!control->IsVisible() || !control->IsEnabled()) {
        return Line(L"found", L"1") + Line(L"clicked", L"0") +
               Line(L"reason", control->IsVisible() ? L"disabled" : L"hidden");
    }
    const RECT& pos = control->GetPos();
    POINT center = {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
    if (!Contains(control, manager.FindControl(center))) {
        return Line(L"found", L"1") + Line(L"clicked", L"0") + Line(L"reason", L"covered");
    }
    HWND window = manager.GetPaintWindow();
    LPARAM where = MAKELPARAM(center.x, center.y);
    PostMessageW(window, WM_MOUSEMOVE, 0, where);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(window, WM_LBUTTONUP, 0, where);
    return Line(L"found", L"1") + Line(L"clicked", L"1");
}

// Files dropped on the window as the shell drops them: a DROPFILES block
// with the wide paths, each ending in a zero, and a zero after the last.
std::wstring Drop(CPaintManagerUI& manager, const std::wstring& paths) {
    std::wstring list;
    int count = 0;
    for (size_t start = 0; start <= paths.size();) {
        size_t end = paths.find(L'\n', start);
        if (end == std::wstring::npos) end = paths.size();
        if (end > start) {
            list += paths.substr(start, end - start) + L'\0';
            ++count;
        }
        start = end + 1;
    }
    list += L'\0';
    const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = block ? static_cast<DROPFILES*>(GlobalLock(block)) : nullptr;
    if (!drop) return Line(L"dropped", L"0");
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
           list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    // The window owns the block from here: DragFinish frees it.
    PostMessageW(manager.GetPaintWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    return Line(L"dropped", std::to_wstring(count));
}

// Sets one key's state for the window's thread; posted messages that follow
// (a click) are handled with it. Keyboard input the thread receives meanwhile
// would set that key's state again, as it does for the real keyboard.
std::wstring Key(const std::wstring& argument) {
    const size_t space = argument.find(L' ');
    const int key = _wtoi(argument.substr(0, space).c_str());
    const std::wstring state = space == std::wstring::npos ? L"" : argument.substr(space + 1);
    BYTE keys[256] = {};
    if (key <= 0 || key > 255 || (state != L"down" && state != L"up") || !GetKeyboardState(keys)) {
        return Line(L"key", L"0");
    }
    const bool down = state == L"down";
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
    return Line(L"key", std::to_wstring(key)) + Line(L"down", down ? L"1" : L"0");
}

}  // namespace

bool HandleDriveRequest(CPaintManagerUI& manager, HWND sender, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != DriveTag() || !IsWindow(sender) ||
        data->cbData < sizeof(wchar_t)) {
        return false;
    }
    std::wstring request(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    while (!request.empty() && request.back() == L'\0') {
        request.pop_back();
    }
    size_t newline = request.find(L'\n');
    std::wstring command = request.substr(0, newline);
    std::wstring name = newline == std::wstring::npos ? L"" : request.substr(newline + 1);
    manager.EnsureLayout();
    if (command == kDriveDrop || command == kDriveKey) {
        Reply(manager.GetPaintWindow(), sender,
              command == kDriveDrop ? Drop(manager, name) : Key(name));
        return true;
    }
    std::wstring value;
    if (command == kDriveSetText || command == kDriveWebText || command == kDriveWebLoaded) {
        const size_t end = name.find(L'\n');
        value = end == std::wstring::npos ? L"" : name.substr(end + 1);
        name = name.substr(0, end);
    }
    CControlUI* control = FindForDriver(manager, name);
    std::wstring answer;
    if (!control) {
        answer = Line(L"found", L"0");
    } else if (command == kDriveSetText || command == kDriveWebText || command == kDriveWebLoaded) {
        answer = Act(control, command, value);
    } else if (command == kDriveClick) {
        answer = Click(manager, control);
    } else {
        answer = Describe(manager, control);
    }
    Reply(manager.GetPaintWindow(), sender, answer);
    return true;
}
