#include "platform/servers/update/SampleUpdateFiles.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace pimlo::servers {

namespace {

// Sizes that are not multiples of the program's 8192-byte read, so the last
// piece of a download is a short one.
constexpr size_t kInstallerBytes = 300001;
constexpr size_t kCompanionBytes = 20011;

// Deterministic filler from a linear congruential generator, seeded per file
// so the two files differ.
std::string Filler(std::string start, size_t size, uint32_t seed) {
    std::string bytes = std::move(start);
    bytes.reserve(size);
    uint32_t state = seed;
    while (bytes.size() < size) {
        state = state * 1664525u + 1013904223u;
        bytes.push_back(static_cast<char>(state >> 24));
    }
    return bytes;
}

}  // namespace

std::string SampleUpdateFile(const std::string& name) {
    // The installer starts like a Windows executable so a glance at it (or a
    // file-type check) sees what it stands for; it is not runnable.
    if (name == "PimloOCRSetup.exe") return Filler("MZ", kInstallerBytes, 1);
    if (name == "cd.cab") return Filler("MSCF", kCompanionBytes, 2);
    return {};
}

bool WriteSampleUpdateFiles(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    for (const char* name : {"PimloOCRSetup.exe", "cd.cab"}) {
        std::ofstream stream(std::filesystem::path(folder) / name,
                             std::ios::binary | std::ios::trunc);
        std::string bytes = SampleUpdateFile(name);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!stream.flush()) return false;
    }
    return true;
}

}  // namespace pimlo::servers
