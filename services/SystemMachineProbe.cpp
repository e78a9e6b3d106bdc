#include "services/SystemMachineProbe.h"

#include <windows.h>
#include <ntddscsi.h>
#include <winioctl.h>
#include <winternl.h>

#include <cstring>

#include "common/Win32Handles.h"

namespace {

constexpr DWORD kIdentifyLength = 512;
constexpr DWORD kMiniportIdentify = 0x001B0501;  // IOCTL_SCSI_MINIPORT_IDENTIFY
constexpr ULONG kMiniportTimeoutSeconds = 10000;
constexpr ULONG_PTR kBiosAddress = 0xFE000;
constexpr SIZE_T kBiosLength = 4096;
constexpr ACCESS_MASK kSectionMapRead = 0x0004;  // SECTION_MAP_READ

KernelHandle OpenDevice(const std::wstring& path) {
    return KernelHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
}

template <class In, class Out>
bool Ask(HANDLE device, DWORD code, In* in, DWORD inLength, Out* out, DWORD outLength) {
    DWORD returned = 0;
    return DeviceIoControl(device, code, in, inLength, out, outLength, &returned, nullptr) != FALSE;
}

IdentifyData WordsAt(const BYTE* bytes) {
    IdentifyData data = {};
    std::memcpy(data.data(), bytes, sizeof(data));
    return data;
}

class System : public MachineProbe {
public:
    std::optional<uint8_t> SmartDeviceMap(int drive) override {
        KernelHandle device = OpenDevice(L"\\\\.\\PhysicalDrive" + std::to_wstring(drive));
        GETVERSIONINPARAMS version = {};
        if (!Valid(device) || !Ask(device.get(), SMART_GET_VERSION, static_cast<void*>(nullptr), 0,
                                   &version, sizeof(version)))
            return std::nullopt;
        return version.bIDEDeviceMap;
    }

    std::optional<IdentifyData> SmartIdentify(int drive, uint8_t command) override {
        KernelHandle device = OpenDevice(L"\\\\.\\PhysicalDrive" + std::to_wstring(drive));
        if (!Valid(device)) return std::nullopt;
        SENDCMDINPARAMS in = {};
        in.cBufferSize = kIdentifyLength;
        in.irDriveRegs.bSectorCountReg = 1;
        in.irDriveRegs.bSectorNumberReg = 1;
        in.irDriveRegs.bDriveHeadReg = drive % 2 ? 0xB0 : 0xA0;
        in.irDriveRegs.bCommandReg = command;
        in.bDriveNumber = static_cast<BYTE>(drive);
        BYTE out[sizeof(SENDCMDOUTPARAMS) - 1 + kIdentifyLength] = {};
        if (!Ask(device.get(), SMART_RCV_DRIVE_DATA, &in, sizeof(SENDCMDINPARAMS) - 1, out,
                 sizeof(out)))
            return std::nullopt;
        return WordsAt(reinterpret_cast<SENDCMDOUTPARAMS*>(out)->bBuffer);
    }

    std::optional<IdentifyData> MiniportIdentify(int controller, int drive) override {
        KernelHandle device = OpenDevice(L"\\\\.\\Scsi" + std::to_wstring(controller) + L":");
        if (!Valid(device)) return std::nullopt;
        BYTE buffer[sizeof(SRB_IO_CONTROL) + sizeof(SENDCMDOUTPARAMS) - 1 + kIdentifyLength] = {};
        auto* header = reinterpret_cast<SRB_IO_CONTROL*>(buffer);
        header->HeaderLength = sizeof(SRB_IO_CONTROL);
        std::memcpy(header->Signature, "SCSIDISK", 8);
        header->Timeout = kMiniportTimeoutSeconds;
        header->ControlCode = kMiniportIdentify;
        header->Length = sizeof(SENDCMDOUTPARAMS) - 1 + kIdentifyLength;
        auto* in = reinterpret_cast<SENDCMDINPARAMS*>(buffer + sizeof(SRB_IO_CONTROL));
        in->irDriveRegs.bCommandReg = 0xEC;
        in->bDriveNumber = static_cast<BYTE>(drive);
        if (!Ask(device.get(), IOCTL_SCSI_MINIPORT, buffer,
                 static_cast<DWORD>(sizeof(SRB_IO_CONTROL) + sizeof(SENDCMDINPARAMS) - 1), buffer,
                 sizeof(buffer)))
            return std::nullopt;
        const auto* out = reinterpret_cast<SENDCMDOUTPARAMS*>(buffer + sizeof(SRB_IO_CONTROL));
        return WordsAt(out->bBuffer);
    }

    std::optional<std::string> BiosArea() override {
        using OpenSection = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES);
        using MapView = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID*, ULONG_PTR, SIZE_T, PLARGE_INTEGER,
                                         PSIZE_T, DWORD, ULONG, ULONG);
        using UnmapView = NTSTATUS(NTAPI*)(HANDLE, PVOID);
        using InitString = VOID(NTAPI*)(PUNICODE_STRING, PCWSTR);
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll) return std::nullopt;
        const auto open = Find<OpenSection>(ntdll, "ZwOpenSection");
        const auto map = Find<MapView>(ntdll, "ZwMapViewOfSection");
        const auto unmap = Find<UnmapView>(ntdll, "ZwUnmapViewOfSection");
        const auto init = Find<InitString>(ntdll, "RtlInitUnicodeString");
        if (!open || !map || !unmap || !init) return std::nullopt;
        UNICODE_STRING name = {};
        init(&name, L"\\Device\\PhysicalMemory");
        OBJECT_ATTRIBUTES attributes = {};
        InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
        HANDLE section = nullptr;
        if (!NT_SUCCESS(open(&section, kSectionMapRead, &attributes))) return std::nullopt;
        KernelHandle owned(section);
        PVOID view = nullptr;
        LARGE_INTEGER offset = {};
        offset.QuadPart = kBiosAddress;
        SIZE_T length = kBiosLength;
        constexpr DWORD kViewShare = 1;
        if (!NT_SUCCESS(map(section, GetCurrentProcess(), &view, 0, kBiosLength, &offset, &length,
                            kViewShare, 0, PAGE_READONLY)))
            return std::nullopt;
        // The view may start below the address, at the boundary it was rounded to.
        const auto skipped = static_cast<SIZE_T>(kBiosAddress - offset.QuadPart);
        std::optional<std::string> bytes;
        if (skipped + kBiosLength <= length)
            bytes.emplace(static_cast<const char*>(view) + skipped, kBiosLength);
        if (!NT_SUCCESS(unmap(GetCurrentProcess(), view))) return std::nullopt;
        return bytes;
    }

private:
    template <class Function>
    static Function Find(HMODULE module, const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

}  // namespace

std::unique_ptr<MachineProbe> SystemMachineProbe() { return std::make_unique<System>(); }
