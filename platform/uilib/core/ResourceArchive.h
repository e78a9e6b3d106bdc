#pragma once

#include <memory>
#include <string>

#include "platform/uilib/UIExport.h"

// A zip archive of layouts and images held in memory, read with minizip.
// Entry names use "/" and are matched without regard to case.
class UILIB_API ResourceArchive {
public:
    ResourceArchive();
    ~ResourceArchive();
    ResourceArchive(const ResourceArchive&) = delete;
    ResourceArchive& operator=(const ResourceArchive&) = delete;

    // Copies the bytes; false (and an empty archive) when they are no zip.
    bool Open(const void* data, size_t size);
    bool IsOpen() const;
    // The whole entry; false when the archive lacks it.
    bool Read(const std::string& entry, std::string& bytes) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "skin/../default/a.png" -> "default/a.png"; backslashes become "/".
UILIB_API std::string NormalizeEntryName(const std::string& path);
