#include "platform/uilib/core/ResourceArchive.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

// minizip reads through these callbacks; the "file" is the copied bytes.
struct MemoryFile {
    std::string bytes;
    ZPOS64_T position = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* file = static_cast<MemoryFile*>(stream);
    ZPOS64_T left = file->bytes.size() - std::min<ZPOS64_T>(file->position, file->bytes.size());
    uLong count = static_cast<uLong>(std::min<ZPOS64_T>(size, left));
    std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return count;
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) {
    return static_cast<MemoryFile*>(stream)->position;
}

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* file = static_cast<MemoryFile*>(stream);
    ZPOS64_T base = 0;
    switch (origin) {
        case ZLIB_FILEFUNC_SEEK_CUR:
            base = file->position;
            break;
        case ZLIB_FILEFUNC_SEEK_END:
            base = file->bytes.size();
            break;
        default:
            break;
    }
    if (base + offset > file->bytes.size()) {
        return -1;
    }
    file->position = base + offset;
    return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK ErrorMemory(voidpf, voidpf) { return 0; }

}  // namespace

struct ResourceArchive::Impl {
    MemoryFile file;
    unzFile zip = nullptr;
    ~Impl() {
        if (zip) {
            unzClose(zip);
        }
    }
};

ResourceArchive::ResourceArchive() = default;
ResourceArchive::~ResourceArchive() = default;

bool ResourceArchive::Open(const void* data, size_t size) {
    impl_.reset();
    if (!data || size == 0) {
        return false;
    }
    auto impl = std::make_unique<Impl>();
    impl->file.bytes.assign(static_cast<const char*>(data), size);
    zlib_filefunc64_def functions = {};
    functions.zopen64_file = OpenMemory;
    functions.zread_file = ReadMemory;
    functions.zwrite_file = WriteMemory;
    functions.ztell64_file = TellMemory;
    functions.zseek64_file = SeekMemory;
    functions.zclose_file = CloseMemory;
    functions.zerror_file = ErrorMemory;
    functions.opaque = &impl->file;
    impl->zip = unzOpen2_64("memory", &functions);
    if (!impl->zip) {
        return false;
    }
    impl_ = std::move(impl);
    return true;
}

bool ResourceArchive::IsOpen() const { return impl_ != nullptr; }

bool ResourceArchive::Read(const std::string& entry, std::string& bytes) const {
    if (!impl_) {
        return false;
    }
    unzFile zip = impl_->zip;
    // 2: names compared without regard to case.
    if (unzLocateFile(zip, NormalizeEntryName(entry).c_str(), 2) != UNZ_OK) {
        return false;
    }
    unz_file_info64 info = {};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        unzOpenCurrentFile(zip) != UNZ_OK) {
        return false;
    }
    bytes.resize(static_cast<size_t>(info.uncompressed_size));
    int read = bytes.empty()
                   ? 0
                   : unzReadCurrentFile(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
    bool whole = unzCloseCurrentFile(zip) == UNZ_OK && read == static_cast<int>(bytes.size());
    if (!whole) {
        bytes.clear();
    }
    return whole;
}

std::string NormalizeEntryName(const std::string& path) {
    std::string unified = path;
    std::replace(unified.begin(), unified.end(), '\\', '/');
    std::vector<std::string> parts;
    std::stringstream stream(unified);
    std::string part;
    while (std::getline(stream, part, '/')) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string normalized;
    for (const std::string& name : parts) {
        if (!normalized.empty()) {
            normalized += '/';
        }
        normalized += name;
    }
    return normalized;
}
