#include "services/MachineCode.h"

#include <cstdio>

#include "common/Crc32.h"
#include "common/Md5.h"
#include "common/StringConversion.h"

namespace {

constexpr uint8_t kAtaIdentify = 0xEC;
constexpr uint8_t kAtapiIdentify = 0xA1;
constexpr int kSmartDrives = 4;
constexpr int kScsiControllers = 2;
constexpr int kScsiDrives = 2;
constexpr size_t kSerialFirstWord = 10, kSerialWords = 10;
constexpr size_t kModelFirstWord = 27, kModelWords = 20;
constexpr size_t kBiosWindow = 2048, kSecondWindowStart = 1024;

bool NamesModel(const IdentifyData& data) {
    for (size_t word = kModelFirstWord; word < kModelFirstWord + kModelWords; ++word)
        if (data[word] != 0) return true;
    return false;
}

}  // namespace

std::string DriveSerialText(const IdentifyData& data) {
    std::string serial;
    for (size_t word = kSerialFirstWord; word < kSerialFirstWord + kSerialWords; ++word) {
        serial += static_cast<char>(data[word] >> 8);
        serial += static_cast<char>(data[word] & 0xFF);
    }
    // The serial is a text: a zero byte ends it.
    serial.resize(serial.find('\0') == std::string::npos ? serial.size() : serial.find('\0'));
    serial.erase(serial.find_last_not_of(' ') + 1);
    return serial;
}

std::string DiskPart(MachineProbe& probe) {
    std::string part;
    bool answered = false;
    for (int drive = 0; drive < kSmartDrives; ++drive) {
        const std::optional<uint8_t> map = probe.SmartDeviceMap(drive);
        if (!map || *map == 0) continue;
        const uint8_t command = (*map >> (drive + 4)) & 1 ? kAtapiIdentify : kAtaIdentify;
        if (const std::optional<IdentifyData> data = probe.SmartIdentify(drive, command)) {
            part += DriveSerialText(*data);
            answered = true;
        }
    }
    if (answered) return part;
    for (int controller = 0; controller < kScsiControllers; ++controller) {
        for (int drive = 0; drive < kScsiDrives; ++drive) {
            const std::optional<IdentifyData> data = probe.MiniportIdentify(controller, drive);
            if (data && NamesModel(*data)) part += DriveSerialText(*data);
        }
    }
    return part;
}

std::string BiosPart(MachineProbe& probe) {
    const std::optional<std::string> area = probe.BiosArea();
    if (!area || area->size() < kSecondWindowStart + kBiosWindow) return {};
    char text[2 * 8 + 1] = {};
    std::snprintf(text, sizeof(text), "%04X%04X",
                  static_cast<unsigned>(Crc32(std::string_view(*area).substr(0, kBiosWindow))),
                  static_cast<unsigned>(
                      Crc32(std::string_view(*area).substr(kSecondWindowStart, kBiosWindow))));
    return text;
}

std::wstring ComputeMachineCode(MachineProbe& probe) {
    // The disk part is read out before the BIOS part is asked for.
    const std::string disks = DiskPart(probe);
    std::string first = Md5Hex(disks + BiosPart(probe));
    if (first.empty()) first = "1";
    return Utf8ToWide(Md5Hex(first, true).substr(0, 16));
}
