#pragma once
// The TWAIN 2 interface as the published standard gives it, as far as
// the virtual scanner and the manager stand-in answer it: types, structures
// (packed on 2 bytes), triplets and codes.

#include <windows.h>

#include <cstdint>

#pragma pack(push, 2)

struct TwVersion {
    uint16_t majorNum, minorNum, language, country;
    char info[34];
};

struct TwIdentity {
    uint32_t id;
    TwVersion version;
    uint16_t protocolMajor, protocolMinor;
    uint32_t supportedGroups;
    char manufacturer[34], productFamily[34], productName[34];
};

struct TwStatus {
    uint16_t conditionCode, data;
};

struct TwUserInterface {
    uint16_t showUI, modalUI;
    HANDLE parent;
};

struct TwCapability {
    uint16_t cap, conType;
    HANDLE container;
};

struct TwOneValue {
    uint16_t itemType;
    uint32_t item;
};

struct TwPendingXfers {
    uint16_t count;
    uint32_t eoj;
};

struct TwEvent {
    void* event;
    uint16_t twMessage;
};

struct TwImageInfo {
    int16_t xResolutionWhole;
    uint16_t xResolutionFrac;
    int16_t yResolutionWhole;
    uint16_t yResolutionFrac;
    int32_t imageWidth, imageLength;
    int16_t samplesPerPixel, bitsPerSample[8], bitsPerPixel;
    uint16_t planar;
    int16_t pixelType;
    uint16_t compression;
};

#pragma pack(pop)

static_assert(sizeof(TwIdentity) == 156);
static_assert(sizeof(TwImageInfo) == 42);
static_assert(sizeof(TwOneValue) == 6);

namespace twain {

constexpr uint32_t kControl = 0x0001, kImage = 0x0002;
constexpr uint16_t kDatCapability = 0x0001, kDatEvent = 0x0002, kDatIdentity = 0x0003,
                   kDatParent = 0x0004, kDatPendingXfers = 0x0005, kDatStatus = 0x0008,
                   kDatUserInterface = 0x0009, kDatImageInfo = 0x0101, kDatImageNativeXfer = 0x0104;
constexpr uint16_t kGet = 0x0001, kGetCurrent = 0x0002, kGetDefault = 0x0003, kGetFirst = 0x0004,
                   kGetNext = 0x0005, kSet = 0x0006, kReset = 0x0007, kXferReady = 0x0101,
                   kCloseDsReq = 0x0102, kOpenDsm = 0x0301, kCloseDsm = 0x0302, kOpenDs = 0x0401,
                   kCloseDs = 0x0402, kUserSelect = 0x0403, kDisableDs = 0x0501, kEnableDs = 0x0502,
                   kProcessEvent = 0x0601, kEndXfer = 0x0701, kNullMessage = 0;
constexpr uint16_t kSuccess = 0, kFailure = 1, kCheckStatus = 2, kCancel = 3, kDsEvent = 4,
                   kNotDsEvent = 5, kXferDone = 6, kEndOfList = 7;
constexpr uint16_t kConditionBummer = 1, kConditionNoDs = 3, kConditionMaxConnections = 4,
                   kConditionBadCap = 6, kConditionSeqError = 11;
constexpr uint16_t kOneValue = 5, kCapXferCount = 0x0001, kTypeInt16 = 1;

}  // namespace twain
