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
