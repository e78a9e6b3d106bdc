#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The machine code: 16 upper-case hexadecimal digits derived from the serial
// numbers of the computer's hard disks and two checksums of its BIOS area.
// It is computed once, by an elevated run, and stored machine-wide.

// A drive's 256-word IDENTIFY data.
using IdentifyData = std::array<uint16_t, 256>;

// The hardware the code is read from: the system's (SystemMachineProbe), or
// canned answers in the tests.
class MachineProbe {
public:
    virtual ~MachineProbe() = default;
    // Physical drive 0 to 3's SMART device map (bit n: an IDE device at n,
    // bit n + 4: an ATAPI one), or nothing when it can not be opened or
    // does not answer.
    virtual std::optional<uint8_t> SmartDeviceMap(int drive) = 0;
    // The drive's IDENTIFY data asked through SMART with command 0xEC (ATA)
    // or 0xA1 (ATAPI), or nothing.
    virtual std::optional<IdentifyData> SmartIdentify(int drive, uint8_t command) = 0;
    // The IDENTIFY data of drive 0 or 1 of SCSI controller 0 or 1 through the
    // miniport, or nothing.
    virtual std::optional<IdentifyData> MiniportIdentify(int controller, int drive) = 0;
    // The 4096 bytes of physical memory at 0xFE000, or nothing.
    virtual std::optional<std::string> BiosArea() = 0;
};

// Words 10 to 19, each word's high byte first (20 characters, up to a zero
// byte), without trailing blanks.
std::string DriveSerialText(const IdentifyData& data);

// Every SMART drive's serial in drive order; only when none answers, every
// miniport drive's that names a model.
std::string DiskPart(MachineProbe& probe);

// "%04X" of the CRC-32 of BIOS bytes 0 to 2047, then of bytes 1024 to 3071;
// empty without the BIOS area.
std::string BiosPart(MachineProbe& probe);

// MD5 hex of the MD5 hex of disk part + BIOS part, its first 16 digits in
// upper case. A machine that answers nothing gets "74BE16979710D4C4".
std::wstring ComputeMachineCode(MachineProbe& probe);
