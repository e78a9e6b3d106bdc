#include "common/CngAlgorithm.h"

#include <cwchar>

namespace {

bool SetChainingMode(BCRYPT_ALG_HANDLE handle, LPCWSTR mode) {
    // The property is the mode's name with its terminating null, in bytes.
    const auto size = static_cast<ULONG>((std::wcslen(mode) + 1) * sizeof(wchar_t));
    return BCRYPT_SUCCESS(BCryptSetProperty(
        handle, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<LPWSTR>(mode)), size, 0));
}

ULONG ObjectLength(BCRYPT_ALG_HANDLE handle) {
    ULONG length = 0;
    ULONG written = 0;
    const NTSTATUS status =
        BCryptGetProperty(handle, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&length),
                          sizeof(length), &written, 0);
    return BCRYPT_SUCCESS(status) && written == sizeof(length) ? length : 0;
}

}  // namespace

CngAlgorithm OpenCngAlgorithm(LPCWSTR algorithm, LPCWSTR chainingMode) {
    BCRYPT_ALG_HANDLE handle = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle, algorithm, nullptr, 0))) {
        return {};
    }
    const ULONG objectLength = ObjectLength(handle);
    if (objectLength == 0 || (chainingMode && !SetChainingMode(handle, chainingMode))) {
        BCryptCloseAlgorithmProvider(handle, 0);
        return {};
    }
    return {handle, objectLength};
}
