// The machine code from canned hardware answers: which drives count and in
// which order, the serial text, the BIOS checksums and the digests; and the
// "/makemachine" run's store.
#include <gmock/gmock.h>

#include <map>
#include <vector>

#include "app/ProductRegistry.h"
#include "services/MachineCode.h"
#include "services/MachineCodeStore.h"

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

constexpr wchar_t kNothingAnswered[] = L"74BE16979710D4C4";

// IDENTIFY data naming serial (and a model unless told otherwise).
IdentifyData Identify(const std::string& serial, bool model = true) {
    IdentifyData data = {};
    for (size_t i = 0; i < 20; ++i) {
        const auto byte = static_cast<uint8_t>(i < serial.size() ? serial[i] : ' ');
        data[10 + i / 2] |= i % 2 ? byte : static_cast<uint16_t>(byte << 8);
    }
    if (model) data[27] = ('W' << 8) | 'D';
    return data;
}

// A machine of canned answers that records the SMART commands asked.
struct CannedMachine : MachineProbe {
    std::map<int, uint8_t> maps;
    std::map<int, IdentifyData> smart;
    std::map<std::pair<int, int>, IdentifyData> miniport;
    std::optional<std::string> bios;
    std::vector<std::pair<int, int>> asked;  // drive, command

    std::optional<uint8_t> SmartDeviceMap(int drive) override {
        auto found = maps.find(drive);
        return found == maps.end() ? std::nullopt : std::optional<uint8_t>(found->second);
    }
    std::optional<IdentifyData> SmartIdentify(int drive, uint8_t command) override {
        asked.emplace_back(drive, command);
        auto found = smart.find(drive);
        return found == smart.end() ? std::nullopt : std::optional<IdentifyData>(found->second);
    }
    std::optional<IdentifyData> MiniportIdentify(int controller, int drive) override {
        auto found = miniport.find({controller, drive});
        return found == miniport.end() ? std::nullopt : std::optional<IdentifyData>(found->second);
    }
    std::optional<std::string> BiosArea() override { return bios; }
};

std::string CountingBios() {
    std::string area(4096, '\0');
    for (size_t i = 0; i < area.size(); ++i) area[i] = static_cast<char>(i % 251);
    return area;
}

TEST(MachineCode, TheSerialIsTwentyCharactersHighByteFirstWithoutTrailingBlanks) {
    EXPECT_EQ(DriveSerialText(Identify("  WD-123456         ")), "  WD-123456");
    EXPECT_EQ(DriveSerialText(Identify("ABCDEFGHIJKLMNOPQRSTUVWXYZ")), "ABCDEFGHIJKLMNOPQRST");
    IdentifyData cut = Identify("AB");
    cut[11] = 0;  // a zero byte ends the text
    EXPECT_EQ(DriveSerialText(cut), "AB");
}

TEST(MachineCode, SmartDrivesCountInOrderAndTheMiniportOnlyWhenNoneAnswers) {
    CannedMachine machine;
    // Drive 1 has an ATAPI device (bit 1 + 4), drive 3 a plain one; drive 2's map is empty.
    machine.maps = {{1, 0x22}, {2, 0x00}, {3, 0x08}};
    machine.smart = {{1, Identify("ONE")}, {3, Identify("THREE")}};
    machine.miniport = {{{0, 0}, Identify("SCSI")}};
    EXPECT_EQ(DiskPart(machine), "ONETHREE");
    EXPECT_THAT(machine.asked, ElementsAre(Pair(1, 0xA1), Pair(3, 0xEC)));

    CannedMachine scsiOnly;
    scsiOnly.maps = {{0, 0x01}};  // answers the version, not the identify
    scsiOnly.miniport = {{{0, 1}, Identify("FIRST")},
                         {{1, 0}, Identify("NOMODEL", false)},
                         {{1, 1}, Identify("SECOND")}};
    EXPECT_EQ(DiskPart(scsiOnly), "FIRSTSECOND");
}

TEST(MachineCode, TheCodeFollowsTheDisksAndTheBios) {
    CannedMachine none;
    EXPECT_EQ(ComputeMachineCode(none), kNothingAnswered);

    CannedMachine machine;
    machine.maps = {{0, 0x01}, {1, 0x02}};
    machine.smart = {{0, Identify("  WD-123456")}, {1, Identify("S2Y9NX0K")}};
    machine.bios = CountingBios();
    EXPECT_EQ(BiosPart(machine), "DD34AD6124FE8D50");
    EXPECT_EQ(ComputeMachineCode(machine), L"B15266BB01B7F803");
    // Another second disk, another code.
    machine.smart[1] = Identify("S2Y9NX0L");
    EXPECT_EQ(ComputeMachineCode(machine), L"4EA3DDBCA7BAF687");
    // A short BIOS area counts as none.
    machine.bios = std::string(3000, '\1');
    EXPECT_EQ(BiosPart(machine), "");
}

TEST(MachineCode, TheMakeMachineRunStoresACodeOnlyWhereNoneOfSixteenIs) {
    ProductRegistryPaths paths;
    paths.machine = {HKEY_CURRENT_USER, L"Software\\PimloOCRTest\\MachineCode"};
    const ProductRegistry registry(paths);
    CannedMachine machine;
    for (const auto& [stored, kept] : {std::pair<std::wstring, bool>{L"", false},
                                       {L"0123456789ABCDE", false},
                                       {L"0123456789ABCDEF0", false},
                                       {L"0123456789ABCDEF", true}}) {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PimloOCRTest");
        if (!stored.empty()) registry.SetMachineCode(stored);
        StoreMachineCodeOnce(registry, machine);
        EXPECT_EQ(registry.MachineCode(), kept ? stored : kNothingAnswered) << stored.size();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PimloOCRTest");
}

}  // namespace
