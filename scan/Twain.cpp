#include "scan/Twain.h"

#include <cstring>

#include "app/AppFolders.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"

namespace {

constexpr wchar_t kNewManager[] = L"TWAINDSM.dll";
constexpr wchar_t kSystemManager[] = L"TWAIN_32.DLL";

template <size_t N>
void CopyText(char (&target)[N], const char* text) {
    std::strncpy(target, text, N - 1);
    target[N - 1] = '\0';
}

}  // namespace

CTwain::~CTwain() { ReleaseTwain(); }

bool CTwain::InitTwain(HWND parent) {
    if (library_ || entry_) return true;
    application_ = {};
    if (!IsWindow(parent)) return false;
    newManager_ = FileExists(JoinPath(InstallFolderOf(ModuleFilePath()), kNewManager));
    // By bare name: the program's folder, first in the search order, supplies
    // the new manager; the system the old one.
    HMODULE library = LoadLibraryW(newManager_ ? kNewManager : kSystemManager);
    if (!library) return false;
    auto entry = reinterpret_cast<DSMENTRYPROC>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))));
    if (!entry) {
        FreeLibrary(library);
        return false;
    }
    return OpenManager(parent, entry, library);
}

bool CTwain::OpenManager(HWND parent, DSMENTRYPROC entry, HMODULE library) {
    library_ = library;
    entry_ = entry;
    parent_ = parent;
    GetIdentity();
    HWND parentHandle = parent;
    managerOpen_ = Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parentHandle);
    return managerOpen_;
}

void CTwain::ReleaseTwain() {
    if (!entry_) return;
    CloseSource();
    if (managerOpen_) {
        HWND parentHandle = parent_;
        Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parentHandle);
        managerOpen_ = false;
    }
    if (library_) FreeLibrary(library_);
    library_ = nullptr;
    entry_ = nullptr;
}

void CTwain::GetIdentity() {
    application_ = {};
    application_.Version.MajorNum = 3;
    application_.Version.MinorNum = 5;
    application_.Version.Language = TWLG_USA;
    application_.Version.Country = TWCY_USA;
    CopyText(application_.Version.Info, "3.5");
    application_.ProtocolMajor = 2;
    application_.ProtocolMinor = 4;
    application_.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(application_.Manufacturer, "Pimlo");
    CopyText(application_.ProductFamily, "Generic");
    CopyText(application_.ProductName, "Twain Test");
}

bool CTwain::Call(TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message,
                  TW_MEMREF data) {
    if (!entry_) {
        returnCode_ = TWRC_FAILURE;
        return false;
    }
    returnCode_ = entry_(&application_, destination, group, dat, message, data);
    if (returnCode_ != TWRC_SUCCESS) {
        // The condition belongs to the failed call: it is asked at once.
        status_ = {};
        entry_(&application_, destination, DG_CONTROL, DAT_STATUS, MSG_GET, &status_);
    }
    return returnCode_ == TWRC_SUCCESS;
}

bool CTwain::EnumerateSources(std::vector<TW_IDENTITY>& sources) {
    if (!entry_) return false;
    TW_IDENTITY identity = {};
    for (bool found = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &identity); found;
         found = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &identity)) {
        sources.push_back(identity);
        identity = {};
    }
    return !sources.empty();
}

bool CTwain::SelectDefaultSource() {
    if (!entry_) return false;
    sourceSelected_ = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &source_);
    return sourceSelected_;
}

bool CTwain::SelectSource() {
    if (!entry_) return false;
    if (!sourceSelected_) SelectDefaultSource();
    const TW_IDENTITY held = source_;
    const bool heldSelected = sourceSelected_;
    TW_IDENTITY chosen = {};
    if (!Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen)) {
        // Cancelled: nothing is scanned, and the source held stays whole (an
        // empty identity would make the manager open its first device).
        source_ = held;
        sourceSelected_ = heldSelected;
        return false;
    }
    source_ = chosen;
    sourceSelected_ = true;
    return true;
}

bool CTwain::OpenSource(const TW_IDENTITY* source) {
    if (!entry_ || !managerOpen_) return false;
    if (source) {
        source_ = *source;
        sourceSelected_ = true;
    } else if (!sourceSelected_) {
        SelectDefaultSource();
    }
    sourceOpen_ = Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
    return sourceOpen_;
}

bool CTwain::SetCapability(TW_UINT16 capability, TW_UINT16 value, bool isSigned) {
    if (!sourceOpen_) return false;
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TW_ONEVALUE)));
    if (!block) return false;
    {
        GlobalMemoryLock<TW_ONEVALUE> one(block.get());
        if (!one) return false;
        one.get()->ItemType = isSigned ? TWTY_INT16 : TWTY_UINT16;
        one.get()->Item = value;
    }
    TW_CAPABILITY request = {capability, TWON_ONEVALUE, block.get()};
    return Call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &request);
}

bool CTwain::GetCapability(TW_UINT16 capability, TW_UINT32& value) {
    if (!sourceOpen_) return false;
    TW_CAPABILITY request = {capability, TWON_DONTCARE16, nullptr};
    const bool answered = Call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &request);
    // The container is the program's to free, whatever it holds.
    GlobalMemory container(request.hContainer);
    if (!answered || !container || request.ConType != TWON_ONEVALUE ||
        GlobalSize(container.get()) < sizeof(TW_ONEVALUE))
        return false;
    GlobalMemoryLock<TW_ONEVALUE> one(container.get());
    if (!one) return false;
    value = one.get()->Item;
    return true;
}

bool CTwain::SetImageCount(TW_INT16 count) {
    if (SetCapability(CAP_XFERCOUNT, static_cast<TW_UINT16>(count), true)) {
        imageCount_ = count;
        return true;
    }
    // The source would rather keep its own count: it is set back as it is.
    TW_UINT32 current = 0;
    if (returnCode_ != TWRC_CHECKSTATUS || !GetCapability(CAP_XFERCOUNT, current) ||
        !SetCapability(CAP_XFERCOUNT, static_cast<TW_UINT16>(current), false))
        return false;
    imageCount_ = static_cast<TW_INT16>(current);
    return true;
}

bool CTwain::EnableSource(bool showUI) {
    if (!sourceOpen_ || sourceEnabled_) return false;
    TW_USERINTERFACE ui = {static_cast<TW_BOOL>(showUI), 0, parent_};
    sourceEnabled_ = Call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    modalUI_ = sourceEnabled_ ? ui.ModalUI : 1;
    return sourceEnabled_;
}

bool CTwain::Acquire(int count) {
    if (!sourceOpen_ && !OpenSource()) return false;
    if (SetImageCount(static_cast<TW_INT16>(count)) && EnableSource(true)) return true;
    // A source left open here would refuse every later scan.
    CloseSource();
    return false;
}

bool CTwain::DisableSource() {
    if (!sourceEnabled_) return false;
    TW_USERINTERFACE ui = {0, 0, parent_};
    if (Call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui)) sourceEnabled_ = false;
    return !sourceEnabled_;
}

void CTwain::CloseSource() {
    if (!sourceOpen_) return;
    DisableSource();
    Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    sourceOpen_ = false;
    sourceEnabled_ = false;
}

bool CTwain::EndTransfer() {
    if (!entry_) return false;
    TW_PENDINGXFERS pending = {};
    return Call(&source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) &&
           pending.Count != 0;
}

void CTwain::CancelTransfers() {
    if (!entry_) return;
    TW_PENDINGXFERS pending = {};
    Call(&source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
}

CTwain::TransferChoice CTwain::ShouldTransfer(const TW_IMAGEINFO&) { return kTransfer; }

bool CTwain::ProcessMessage(const MSG& message) {
    if (!sourceEnabled_) return false;
    MSG copy = message;
    TW_EVENT event = {&copy, MSG_NULL};
    Call(&source_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    if (returnCode_ == TWRC_NOTDSEVENT) return false;
    if (event.TWMessage == MSG_XFERREADY) {
        TransferImages();
    } else if (event.TWMessage == MSG_CLOSEDSREQ && CanClose()) {
        CloseSource();
        ScanningFinished();
    }
    return false;
}

void CTwain::TransferImages() {
    for (bool pending = true; pending;) {
        TW_IMAGEINFO info = {};
        if (!Call(&source_, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info)) {
            // Without it no page can be taken: asking again would never end.
            CancelTransfers();
            return;
        }
        const TransferChoice choice = ShouldTransfer(info);
        if (choice == kCancelAll) {
            CancelTransfers();
            return;
        }
        if (choice == kSkip) {
            pending = EndTransfer();
            continue;
        }
        TW_HANDLE image = nullptr;
        Call(&source_, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image);
        if (returnCode_ == TWRC_FAILURE) {
            CancelTransfers();
            return;
        }
        if (returnCode_ == TWRC_XFERDONE && image) CopyImage(image, info);
        if (image) GlobalFree(image);
        pending = EndTransfer();
    }
}

std::wstring ProductNameOf(const TW_IDENTITY& identity) {
    const char* name = identity.ProductName;
    return AnsiToWide(std::string_view(name, strnlen(name, sizeof(identity.ProductName))));
}
