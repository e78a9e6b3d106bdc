#pragma once

#include <windows.h>
#include <unknwn.h>

#include <memory>
#include <type_traits>

// Owners of Win32 handles, so that every early return releases them.

struct KernelHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};
// A file or process handle; CreateFile reports failure as INVALID_HANDLE_VALUE,
// which Valid() treats like null.
using KernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelHandleCloser>;

inline bool Valid(const KernelHandle& handle) {
    return handle && handle.get() != INVALID_HANDLE_VALUE;
}

struct FindHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            FindClose(handle);
        }
    }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindHandleCloser>;

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

// A COM interface pointer that is released once.
struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComOwner = std::unique_ptr<Interface, ComReleaser>;

// A device context made with CreateCompatibleDC or CreateDC, deleted once.
struct DeviceContextDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeviceContextDeleter>;

// A window's device context from GetDC (null window: the screen's), given back to that window
// once.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A bitmap, font, brush, pen or region (GdiObject<HBITMAP> and so on), deleted once. Delete it
// only after it left every device context it was selected into: declare it before its
// SelectedObject.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// Selects object into dc while it lives, then puts back the object it replaced. Not for regions:
// selecting a region copies it and gives no previous region back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // False when the object could not be selected.
    explicit operator bool() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A global memory block from GlobalAlloc, freed once unless release() handed it to a new owner
// (SetClipboardData, a caller).
struct GlobalMemoryFreer {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
using GlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalMemoryFreer>;

// A global memory block locked while this lives, seen as a T (void: bytes). Declare it after the
// block's owner, so that the block is unlocked before it is freed.
template <class T = void>
class GlobalMemoryLock {
public:
    explicit GlobalMemoryLock(HGLOBAL block)
        : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    ~GlobalMemoryLock() {
        if (data_) {
            GlobalUnlock(block_);
        }
    }
    GlobalMemoryLock(const GlobalMemoryLock&) = delete;
    GlobalMemoryLock& operator=(const GlobalMemoryLock&) = delete;

    T* get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    T* data_;
};
