#pragma once

#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <type_traits>
#include <vector>

// A CNG algorithm provider (link bcrypt) and the size of the object buffer that each hash or key
// made from it needs: Windows 7 does not allocate that buffer itself, so callers pass their own.
// handle is null when the system refused the algorithm.
struct CngAlgorithm {
    BCRYPT_ALG_HANDLE handle = nullptr;
    ULONG objectLength = 0;

    // A zeroed buffer for one hash or key object; it must outlive that object's handle.
    std::vector<UCHAR> NewObjectBuffer() const { return std::vector<UCHAR>(objectLength); }
};

// Opens algorithm (a BCRYPT_*_ALGORITHM name) and, when chainingMode is given, sets that
// BCRYPT_CHAINING_MODE on it, so every key made from it uses the mode.
CngAlgorithm OpenCngAlgorithm(LPCWSTR algorithm, LPCWSTR chainingMode = nullptr);

struct CngHashDestroyer {
    void operator()(BCRYPT_HASH_HANDLE hash) const { BCryptDestroyHash(hash); }
};
using CngHash = std::unique_ptr<std::remove_pointer_t<BCRYPT_HASH_HANDLE>, CngHashDestroyer>;

struct CngKeyDestroyer {
    void operator()(BCRYPT_KEY_HANDLE key) const { BCryptDestroyKey(key); }
};
using CngKey = std::unique_ptr<std::remove_pointer_t<BCRYPT_KEY_HANDLE>, CngKeyDestroyer>;
