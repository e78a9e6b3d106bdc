// The TWAIN connection against a manager of this test: the triplets each
// operation sends, the capability blocks, the transfer loop's decisions, and
// what a source that fails or lies gets.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

#include "scan/Twain.h"

namespace {

struct Triplet {
    bool toSource;
    TW_UINT32 group;
    TW_UINT16 dat;
    TW_UINT16 message;
    bool operator==(const Triplet& other) const {
        return std::tie(toSource, group, dat, message) ==
               std::tie(other.toSource, other.group, other.dat, other.message);
    }
};

constexpr Triplet kOpenDsm{false, DG_CONTROL, DAT_PARENT, MSG_OPENDSM};
constexpr Triplet kCloseDsm{false, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM};
constexpr Triplet kOpenDs{false, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS};
constexpr Triplet kCloseDs{false, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS};
constexpr Triplet kStatus{true, DG_CONTROL, DAT_STATUS, MSG_GET};
constexpr Triplet kSetCap{true, DG_CONTROL, DAT_CAPABILITY, MSG_SET};
constexpr Triplet kGetCap{true, DG_CONTROL, DAT_CAPABILITY, MSG_GET};
constexpr Triplet kEnable{true, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS};
constexpr Triplet kDisable{true, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS};
constexpr Triplet kEvent{true, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT};
constexpr Triplet kImageInfo{true, DG_IMAGE, DAT_IMAGEINFO, MSG_GET};
constexpr Triplet kNative{true, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET};
constexpr Triplet kEndXfer{true, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER};
constexpr Triplet kReset{true, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET};

using Answer = std::function<TW_UINT16(const Triplet&, TW_MEMREF)>;

// The manager: every call recorded, each answered by the test's answer.
struct FakeManager {
    std::vector<Triplet> calls;
    Answer answer;
} g_manager;

TW_UINT16 WINAPI FakeEntry(TW_IDENTITY*, TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 dat,
                           TW_UINT16 message, TW_MEMREF data) {
    const Triplet call{destination != nullptr, group, dat, message};
    g_manager.calls.push_back(call);
    if (dat == DAT_STATUS) {
        static_cast<TW_STATUS*>(data)->ConditionCode = TWCC_SEQERROR;
        return TWRC_SUCCESS;
    }
    return g_manager.answer ? g_manager.answer(call, data) : TWRC_SUCCESS;
}

// A DIB block of one 2 × 2 24-bit picture, as a source hands it over.
HGLOBAL SmallDib() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + 16);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    *header = {};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = header->biHeight = 2;
    header->biPlanes = 1;
    header->biBitCount = 24;
    GlobalUnlock(block);
    return block;
}

class RecordingTwain : public CTwain {
public:
    int pages = 0;
    bool finished = false;
    TransferChoice choice = kTransfer;

protected:
    TransferChoice ShouldTransfer(const TW_IMAGEINFO&) override { return choice; }
    void CopyImage(TW_HANDLE image, const TW_IMAGEINFO&) override { pages += image != nullptr; }
    void ScanningFinished() override { finished = true; }
};

class TwainTest : public testing::Test {
protected:
    TwainTest() {
        g_manager = {};
        parent_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    ~TwainTest() override { DestroyWindow(parent_); }

    // The manager open and a source open, the calls so far forgotten.
    void OpenSource() {
        ASSERT_TRUE(twain_.OpenManager(parent_, FakeEntry));
        ASSERT_TRUE(twain_.OpenSource());
        g_manager.calls.clear();
    }
    void Enable() {
        OpenSource();
        ASSERT_TRUE(twain_.EnableSource(true));
        g_manager.calls.clear();
    }
    // The source reports ev as its event for the next message.
    void SourceSays(TW_UINT16 ev) {
        MSG message = {};
        message.hwnd = parent_;
        message.message = WM_USER;
        const Answer script = g_manager.answer;
        g_manager.answer = [script, ev](const Triplet& call, TW_MEMREF data) {
            if (call == kEvent) {
                static_cast<TW_EVENT*>(data)->TWMessage = ev;
                return TWRC_DSEVENT;
            }
            return script ? script(call, data) : TWRC_SUCCESS;
        };
        EXPECT_FALSE(twain_.ProcessMessage(message));
    }

    HWND parent_;
    RecordingTwain twain_;
};

TEST_F(TwainTest, TheManagerIsOpenedOnTheParentAsTheProgramAndClosedAtRelease) {
    HWND given = nullptr;
    g_manager.answer = [&](const Triplet& call, TW_MEMREF data) {
        if (call == kOpenDsm) given = *static_cast<HWND*>(data);
        return TWRC_SUCCESS;
    };
    ASSERT_TRUE(twain_.OpenManager(parent_, FakeEntry));
    EXPECT_EQ(given, parent_);
    twain_.ReleaseTwain();
    EXPECT_EQ(g_manager.calls, (std::vector<Triplet>{kOpenDsm, kCloseDsm}));
    EXPECT_FALSE(twain_.HasManager());
}

TEST_F(TwainTest, AFailedCallFetchesItsConditionAtOnce) {
    ASSERT_TRUE(twain_.OpenManager(parent_, FakeEntry));
    g_manager.answer = [](const Triplet&, TW_MEMREF) { return TWRC_FAILURE; };
    EXPECT_FALSE(twain_.OpenSource());
    EXPECT_EQ(g_manager.calls.back(), (Triplet{false, DG_CONTROL, DAT_STATUS, MSG_GET}));
    EXPECT_EQ(twain_.LastReturnCode(), TWRC_FAILURE);
    EXPECT_EQ(twain_.LastStatus().ConditionCode, TWCC_SEQERROR);
    EXPECT_FALSE(twain_.SourceOpen());
}

TEST_F(TwainTest, EverySourceIsListed) {
    ASSERT_TRUE(twain_.OpenManager(parent_, FakeEntry));
    int listed = 0;
    g_manager.answer = [&](const Triplet& call, TW_MEMREF data) -> TW_UINT16 {
        if (call.dat != DAT_IDENTITY || listed == 2) return TWRC_ENDOFLIST;
        static_cast<TW_IDENTITY*>(data)->Id = ++listed;
        return TWRC_SUCCESS;
    };
    std::vector<TW_IDENTITY> sources;
    ASSERT_TRUE(twain_.EnumerateSources(sources));
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[1].Id, 2u);
}

TEST_F(TwainTest, CapabilitiesAreSentAsOneValueBlocksOfTheirSign) {
    OpenSource();
    std::vector<TW_ONEVALUE> sent;
    g_manager.answer = [&](const Triplet& call, TW_MEMREF data) {
        auto* capability = static_cast<TW_CAPABILITY*>(data);
        if (call == kSetCap) {
            EXPECT_EQ(capability->ConType, TWON_ONEVALUE);
            EXPECT_EQ(GlobalSize(capability->hContainer), sizeof(TW_ONEVALUE));
            sent.push_back(*static_cast<TW_ONEVALUE*>(GlobalLock(capability->hContainer)));
            GlobalUnlock(capability->hContainer);
        }
        return TWRC_SUCCESS;
    };
    ASSERT_TRUE(twain_.SetImageCount(-1));
    ASSERT_TRUE(twain_.SetCapability(CAP_XFERCOUNT, 3, false));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].ItemType, TWTY_INT16);
    EXPECT_EQ(sent[0].Item, 0xFFFFu);
    EXPECT_EQ(sent[1].ItemType, TWTY_UINT16);
    EXPECT_EQ(sent[1].Item, 3u);
    EXPECT_EQ(twain_.ImageCount(), -1);
}

// Refuses a signed count and answers the request for the current one with
// returnCode and a container of the given type holding 5.
Answer ContainerAnswer(TW_UINT16 returnCode, TW_UINT16 containerType, bool withContainer) {
    return [=](const Triplet& call, TW_MEMREF data) -> TW_UINT16 {
        if (call == kSetCap) {
            // The program's signed count is refused; its own value back is taken.
            auto* set = static_cast<TW_CAPABILITY*>(data);
            const TW_UINT16 type = static_cast<TW_ONEVALUE*>(GlobalLock(set->hContainer))->ItemType;
            GlobalUnlock(set->hContainer);
            return type == TWTY_INT16 ? TWRC_CHECKSTATUS : TWRC_SUCCESS;
        }
        if (!(call == kGetCap)) return TWRC_SUCCESS;
        auto* capability = static_cast<TW_CAPABILITY*>(data);
        capability->ConType = containerType;
        if (withContainer) {
            capability->hContainer = GlobalAlloc(GMEM_MOVEABLE, sizeof(TW_ONEVALUE));
            *static_cast<TW_ONEVALUE*>(GlobalLock(capability->hContainer)) = {TWTY_UINT16, 5};
            GlobalUnlock(capability->hContainer);
        }
        return returnCode;
    };
}

TEST_F(TwainTest, ASourceKeepingItsOwnCountGetsItBackAndOnlyAOneValueIsRead) {
    OpenSource();
    const struct {
        Answer answer;
        bool accepted;
    } cases[] = {
        {ContainerAnswer(TWRC_SUCCESS, TWON_ONEVALUE, true), true},
        {ContainerAnswer(TWRC_FAILURE, TWON_ONEVALUE, true), false},
        {ContainerAnswer(TWRC_SUCCESS, TWON_ONEVALUE, false), false},
        {ContainerAnswer(TWRC_SUCCESS, /*TWON_ENUMERATION*/ 4, true), false},
    };
    for (const auto& each : cases) {
        g_manager.answer = each.answer;
        EXPECT_EQ(twain_.SetImageCount(-1), each.accepted);
    }
    // The accepted value was set back, unsigned.
    g_manager.answer = ContainerAnswer(TWRC_SUCCESS, TWON_ONEVALUE, true);
    g_manager.calls.clear();
    ASSERT_TRUE(twain_.SetImageCount(-1));
    EXPECT_EQ(twain_.ImageCount(), 5);
    EXPECT_EQ(g_manager.calls, (std::vector<Triplet>{kSetCap, kStatus, kGetCap, kSetCap}));
}

TEST_F(TwainTest, AnAcquireThatFailsClosesTheSourceForTheNextScan) {
    OpenSource();
    g_manager.answer = [](const Triplet& call, TW_MEMREF) {
        return call == kEnable ? TWRC_FAILURE : TWRC_SUCCESS;
    };
    EXPECT_FALSE(twain_.Acquire(-1));
    EXPECT_FALSE(twain_.SourceOpen());
    EXPECT_EQ(g_manager.calls.back(), kCloseDs);
    g_manager.answer = nullptr;
    EXPECT_TRUE(twain_.Acquire(-1));
    EXPECT_TRUE(twain_.SourceEnabled());
}

TEST_F(TwainTest, ACancelledSelectionScansNothingAndKeepsTheSourceHeld) {
    ASSERT_TRUE(twain_.OpenManager(parent_, FakeEntry));
    g_manager.answer = [](const Triplet& call, TW_MEMREF data) -> TW_UINT16 {
        if (call.message == MSG_USERSELECT) return TWRC_CANCEL;
        if (call.message == MSG_GETDEFAULT)
            std::strcpy(static_cast<TW_IDENTITY*>(data)->ProductName, "Default");
        return TWRC_SUCCESS;
    };
    EXPECT_FALSE(twain_.SelectSource());
    EXPECT_TRUE(twain_.SourceSelected());
    EXPECT_STREQ(twain_.Source().ProductName, "Default");
}

TEST_F(TwainTest, EachReadyPageIsTakenUntilNoneIsPending) {
    Enable();
    int pending = 2;
    g_manager.answer = [&](const Triplet& call, TW_MEMREF data) -> TW_UINT16 {
        if (call == kNative) {
            *static_cast<TW_HANDLE*>(data) = SmallDib();
            return TWRC_XFERDONE;
        }
        if (call == kEndXfer) static_cast<TW_PENDINGXFERS*>(data)->Count = --pending;
        return TWRC_SUCCESS;
    };
    SourceSays(MSG_XFERREADY);
    EXPECT_EQ(twain_.pages, 2);
    // Every answer but success is followed by a request for the condition:
    // the event's and each finished transfer's too.
    EXPECT_EQ(g_manager.calls,
              (std::vector<Triplet>{kEvent, kStatus, kImageInfo, kNative, kStatus, kEndXfer,
                                    kImageInfo, kNative, kStatus, kEndXfer}));
}

TEST_F(TwainTest, TheTransferLoopStopsOnAFailureOrACancelAndSkipsWhatItIsTold) {
    const struct {
        const char* what;
        Triplet failing;
        CTwain::TransferChoice choice;
        std::vector<Triplet> calls;
    } cases[] = {
        {"image information fails",
         kImageInfo,
         CTwain::kTransfer,
         {kEvent, kStatus, kImageInfo, kStatus, kReset}},
        {"native transfer fails",
         kNative,
         CTwain::kTransfer,
         {kEvent, kStatus, kImageInfo, kNative, kStatus, kReset}},
        {"all cancelled", {}, CTwain::kCancelAll, {kEvent, kStatus, kImageInfo, kReset}},
        {"page skipped", {}, CTwain::kSkip, {kEvent, kStatus, kImageInfo, kEndXfer}},
    };
    Enable();
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        g_manager.calls.clear();
        twain_.choice = each.choice;
        g_manager.answer = [&](const Triplet& call, TW_MEMREF data) -> TW_UINT16 {
            if (call == kEndXfer) static_cast<TW_PENDINGXFERS*>(data)->Count = 0;
            return call == each.failing ? TWRC_FAILURE : TWRC_SUCCESS;
        };
        SourceSays(MSG_XFERREADY);
        EXPECT_EQ(g_manager.calls, each.calls);
        EXPECT_EQ(twain_.pages, 0);
    }
}

TEST_F(TwainTest, ACloseRequestClosesTheSourceAndFinishesTheScan) {
    Enable();
    SourceSays(MSG_CLOSEDSREQ);
    EXPECT_TRUE(twain_.finished);
    EXPECT_FALSE(twain_.SourceOpen());
    EXPECT_EQ(g_manager.calls, (std::vector<Triplet>{kEvent, kStatus, kDisable, kCloseDs}));
    EXPECT_TRUE(twain_.ManagerOpen());
}

TEST_F(TwainTest, MessagesThatAreNotTheSourcesChangeNothing) {
    Enable();
    g_manager.answer = [](const Triplet&, TW_MEMREF) { return TWRC_NOTDSEVENT; };
    MSG message = {};
    message.hwnd = parent_;
    message.message = WM_PAINT;
    EXPECT_FALSE(twain_.ProcessMessage(message));
    EXPECT_EQ(g_manager.calls.front(), kEvent);
    EXPECT_TRUE(twain_.SourceEnabled());
}

TEST(TwainNames, AProductNameWithoutItsEndIsReadToItsLastByte) {
    TW_IDENTITY identity = {};
    std::memset(identity.ProductName, 'A', sizeof(identity.ProductName));
    identity.Manufacturer[0] = 'Z';  // never part of the name
    EXPECT_EQ(ProductNameOf(identity), std::wstring(34, L'A'));
    std::strcpy(identity.ProductName, "\xC9\xA8\xC3\xE8\xD2\xC7");  // 扫描仪 in code page 936
    EXPECT_EQ(ProductNameOf(identity), L"扫描仪");
}

}  // namespace
