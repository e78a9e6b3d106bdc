#include "PictureFile.h"

#include <windows.h>

#include <leptonica/allheaders.h>

#include <algorithm>

namespace {

// Far beyond an A4 page at 600 dpi in 24 bits (about 100 MB); a larger file
// is refused before it is read into the 32-bit engine's memory.
constexpr size_t kMaxPictureBytes = 256u * 1024 * 1024;

struct FileCloser {
    void operator()(HANDLE file) const { CloseHandle(file); }
};

}  // namespace

void PixDeleter::operator()(Pix* picture) const { pixDestroy(&picture); }

bool ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<char>& bytes) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    std::unique_ptr<void, FileCloser> file(opened);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(opened, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(opened, bytes.data() + done, wanted, &read, nullptr) || read == 0)
            return false;
        done += read;
    }
    return true;
}

PixPtr ReadBmpPicture(const std::wstring& path) {
    std::vector<char> bytes;
    if (!ReadWholeFile(path, kMaxPictureBytes, bytes) || bytes.empty()) return nullptr;
    return PixPtr(pixReadMemBmp(reinterpret_cast<const l_uint8*>(bytes.data()), bytes.size()));
}
