// Pictures brought into the main window: the open dialogs and dropped files.
#include <windows.h>
// commdlg.h needs the types of windows.h.
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "common/StringConversion.h"
#include "ui/MainFrame.h"
#include "ui/PictureFiles.h"
#include "ui/WindowShake.h"

namespace {

constexpr wchar_t kPictureFilter[] = L"图片文件(PNG/JPG/JPEG/BMP)\0*.png;*.jpg;*.jpeg;*.bmp\0";
// Room for the names of many pictures chosen at once.
constexpr size_t kManyPicturesBuffer = 40960;
constexpr size_t kOnePictureBuffer = 4096;

// The files the user chose in the system's open dialog; none when cancelled.
std::vector<std::wstring> AskForPictures(HWND owner, bool many) {
    std::vector<wchar_t> buffer(many ? kManyPicturesBuffer : kOnePictureBuffer, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kPictureFilter;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags =
        OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | (many ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&dialog)) return {};
    return ChosenFiles(buffer.data());
}

}  // namespace

bool CMainFrame::RefuseDuringRun() {
    if (!RunGoing()) return false;
    MessageBeep(MB_OK);
    return true;
}

void CMainFrame::ChoosePictures() {
    if (RefuseDuringRun()) return;
    for (const std::wstring& path : AskForPictures(hwnd_, true)) queue_.Add(path);
    RefreshAddPicturePanel();
}

void CMainFrame::ChooseIdCardSide(bool front) {
    if (RefuseDuringRun()) return;
    const std::vector<std::wstring> chosen = AskForPictures(hwnd_, false);
    if (chosen.empty()) return;
    (front ? idCardFront_ : idCardBack_) = WideToUtf8(chosen.front());
    RefreshIdCardSlot(front);
}

void CMainFrame::OnDropFiles(HDROP drop) {
    const MainPage page = CurrentPage();
    // The page of a run takes drops too, but the queue belongs to the run
    // until its last result.
    if (RefuseDuringRun() || (page != MainPage::Home && page != MainPage::AddPictures)) {
        DragFinish(drop);
        return;
    }
    queue_.Clear();
    if (mode_ != OcrMode::IdCard) {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            wchar_t path[kMaxPicturePath + 1] = {};
            const UINT length = DragQueryFileW(drop, i, path, static_cast<UINT>(std::size(path)));
            if (length > 0 && length <= kMaxPicturePath && IsPictureFile(path)) queue_.Add(path);
        }
    }
    DragFinish(drop);
    if (!queue_.Empty() && page == MainPage::Home) EnterModePage(OcrMode::PictureText);
    RefreshAddPicturePanel();
    if (queue_.Empty()) ShakeWindow(hwnd_);
}
