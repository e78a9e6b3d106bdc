#include "ui/settings/FolderBrowser.h"

#include <shlobj.h>

#include <memory>

#include "app/LanguageText.h"
#include "common/FileSystem.h"

namespace {

// The browser's new-style dialog needs COM in a single-threaded apartment.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// Selects the start folder once the browser is up.
int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED && startFolder) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, startFolder);
    }
    return 0;
}

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& startFolder) {
    ComApartment apartment;
    const std::wstring prompt = Text(TextKeys::ChooseSaveFolder);
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = prompt.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = OnBrowserEvent;
    browse.lParam = startFolder.empty() ? 0 : reinterpret_cast<LPARAM>(startFolder.c_str());
    ItemList chosen(SHBrowseForFolderW(&browse));
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path)) return std::nullopt;
    // Some shells hand a folder back with a separator after it; the save
    // folder is shown and stored without one, like every other folder path.
    return WithoutTrailingSeparator(path);
}
