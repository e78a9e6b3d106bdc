#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "scan/TwainTypes.h"

// A connection to the TWAIN Data Source Manager over its one entry point:
// the manager opened on the parent window, a source chosen, opened and
// enabled with its own user interface, its pages taken by native transfer
// as its events arrive through ProcessMessage, and everything closed again.
// Every failed call fetches the manager's condition code (LastStatus). A
// derived class takes the pages (CopyImage) and hears when the source asks
// to be closed (ScanningFinished). Everything runs on the UI thread.
class CTwain {
public:
    // The answers of ShouldTransfer.
    enum TransferChoice { kTransfer = 0, kSkip = 1, kCancelAll = 2 };

    CTwain() = default;
    virtual ~CTwain();
    CTwain(const CTwain&) = delete;
    CTwain& operator=(const CTwain&) = delete;

    // Loads the manager ("TWAINDSM.dll" when the program's folder holds one,
    // else the system's "TWAIN_32.DLL") and opens it on parent. True at once
    // when a manager is loaded already.
    bool InitTwain(HWND parent);
    // Opens the manager behind entry on parent; the library, when given, is
    // freed on release.
    bool OpenManager(HWND parent, DSMENTRYPROC entry, HMODULE library = nullptr);
    // Closes the source and the manager and unloads it.
    void ReleaseTwain();

    // Every source the manager lists; false when there is none.
    bool EnumerateSources(std::vector<TW_IDENTITY>& sources);
    bool SelectDefaultSource();
    // The manager's own selection dialog. False when the user cancelled it or
    // it failed: the source held before stays as it was.
    virtual bool SelectSource();
    // Opens source, or with none the one selected (the default when none is).
    virtual bool OpenSource(const TW_IDENTITY* source = nullptr);
    // Opens the source when it is not open, asks for count pages (-1: any)
    // and enables it with its user interface. A source that can not be made
    // ready is closed again, so the next scan can open it.
    bool Acquire(int count);
    bool SetImageCount(TW_INT16 count);
    bool EnableSource(bool showUI);
    virtual bool DisableSource();
    void CloseSource();
    bool SetCapability(TW_UINT16 capability, TW_UINT16 value, bool isSigned);
    // The capability's current value; false unless the source answered with
    // a one-value container.
    bool GetCapability(TW_UINT16 capability, TW_UINT32& value);
    // Ends the current transfer; true while more are pending.
    bool EndTransfer();
    void CancelTransfers();

    // Gives the source a message of the UI thread. Pages are transferred and
    // a close request answered from here. Never consumes the message: the
    // caller dispatches it as usual.
    bool ProcessMessage(const MSG& message);

    bool HasManager() const { return entry_ != nullptr; }
    bool ManagerOpen() const { return managerOpen_; }
    bool SourceSelected() const { return sourceSelected_; }
    bool SourceOpen() const { return sourceOpen_; }
    bool SourceEnabled() const { return sourceEnabled_; }
    bool UsesNewManager() const { return newManager_; }
    TW_INT16 ImageCount() const { return imageCount_; }
    TW_UINT16 LastReturnCode() const { return returnCode_; }
    const TW_STATUS& LastStatus() const { return status_; }
    const TW_IDENTITY& Source() const { return source_; }

protected:
    // Fills the program's identity.
    virtual void GetIdentity();
    // Whether to take the pending page, as its information describes it.
    virtual TransferChoice ShouldTransfer(const TW_IMAGEINFO& info);
    // Whether the source may close on its request now.
    virtual bool CanClose() { return true; }
    // A page: the global memory block of a DIB the source handed over. The
    // block is freed after the call.
    virtual void CopyImage(TW_HANDLE image, const TW_IMAGEINFO& info) = 0;
    // The source asked to close and was closed.
    virtual void ScanningFinished() = 0;

    // One call to the manager from the program (destination: a source or
    // none); true only for TWRC_SUCCESS.
    bool Call(TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message,
              TW_MEMREF data);

    TW_IDENTITY application_ = {};

private:
    HMODULE library_ = nullptr;
    DSMENTRYPROC entry_ = nullptr;
    TW_IDENTITY source_ = {};
    TW_UINT16 returnCode_ = TWRC_SUCCESS;
    TW_STATUS status_ = {};
    HWND parent_ = nullptr;
    bool sourceSelected_ = false;
    bool managerOpen_ = false;
    bool sourceOpen_ = false;
    bool sourceEnabled_ = false;
    TW_UINT16 modalUI_ = 1;
    bool newManager_ = false;
    TW_INT16 imageCount_ = -1;

    void TransferImages();
};

// The source's product name as text: at most its 34 bytes, in the ANSI code
// page, whether or not the source ended it.
std::wstring ProductNameOf(const TW_IDENTITY& identity);
