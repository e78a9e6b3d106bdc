// A TWAIN data source that scans pages of known text, for the tests: the
// pages say "Pimlo scans page N" in large letters, so a recogniser reads them
// back. What it does is scripted by "VirtualScanner.ini" beside it, section
// [Scanner]:
//   Pages=3            pages in the feeder (0: it asks to close at once)
//   ProductName=...    its name (bytes of the ANSI code page)
//   RefuseCount=1      answers the first transfer count with TWRC_CHECKSTATUS
//   FailPage=2         the native transfer of that page fails
//   FailImageInfo=1    the image information can not be had
//   Cancel=1           the user closes its window without scanning
// Like TWAIN 1.x sources it posts its events to the application's window;
// they come back to it through the manager's MSG_PROCESSEVENT.
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/twaindsm/TwainStandard.h"

namespace {

constexpr int kPageWidth = 1000;
constexpr int kPageHeight = 240;

struct Script {
    int pages = 3;
    bool refuseCount = false;
    int failPage = 0;
    bool failImageInfo = false;
    bool cancel = false;
    std::string productName = "Pimlo Virtual Scanner";
};

struct Source {
    Script script;
    HWND parent = nullptr;
    int next = 1;       // the page the next transfer brings
    int remaining = 0;  // pages still pending
    bool countRefused = false;
    int16_t count = -1;
    uint16_t condition = 0;
} g_source;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

Script ReadScript() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    std::string ini = path;
    ini = ini.substr(0, ini.find_last_of('\\') + 1) + "VirtualScanner.ini";
    Script script;
    auto number = [&](const char* key, int fallback) {
        return static_cast<int>(GetPrivateProfileIntA("Scanner", key, fallback, ini.c_str()));
    };
    script.pages = number("Pages", script.pages);
    script.refuseCount = number("RefuseCount", 0) != 0;
    script.failPage = number("FailPage", 0);
    script.failImageInfo = number("FailImageInfo", 0) != 0;
    script.cancel = number("Cancel", 0) != 0;
    char name[34] = {};
    GetPrivateProfileStringA("Scanner", "ProductName", script.productName.c_str(), name,
                             sizeof(name), ini.c_str());
    script.productName = name;
    return script;
}

UINT EventMessage() {
    static const UINT message = RegisterWindowMessageW(L"PimloVirtualScanner.Event");
    return message;
}

void Post(uint16_t event) { PostMessageW(g_source.parent, EventMessage(), event, 0); }

void FillIdentity(TwIdentity& identity, const Script& script) {
    const uint32_t id = identity.id;
    identity = {};
    identity.id = id;
    identity.version.majorNum = 1;
    identity.version.language = 13;
    identity.version.country = 1;
    std::strcpy(identity.version.info, "1.0");
    identity.protocolMajor = 2;
    identity.protocolMinor = 4;
    identity.supportedGroups = twain::kControl | twain::kImage;
    std::strcpy(identity.manufacturer, "Pimlo Test Devices");
    std::strcpy(identity.productFamily, "Virtual");
    std::strncpy(identity.productName, script.productName.c_str(),
                 sizeof(identity.productName) - 1);
}

// A 24-bit DIB block of the page, its text drawn by GDI.
HGLOBAL PagePicture(int page) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kPageWidth;
    info.bmiHeader.biHeight = kPageHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !section) {
        if (dc) DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ previousBitmap = SelectObject(dc, section);
    RECT all = {0, 0, kPageWidth, kPageHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontW(-72, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ previousFont = SelectObject(dc, font);
    const std::wstring text = L"Pimlo scans page " + std::to_wstring(page);
    DrawTextW(dc, text.c_str(), -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    GdiFlush();
    const size_t rows = static_cast<size_t>(((kPageWidth * 3 + 3) / 4) * 4) * kPageHeight;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + rows);
    if (block) {
        auto* target = static_cast<BYTE*>(GlobalLock(block));
        std::memcpy(target, &info.bmiHeader, sizeof(BITMAPINFOHEADER));
        std::memcpy(target + sizeof(BITMAPINFOHEADER), bits, rows);
        GlobalUnlock(block);
    }
    DeleteObject(SelectObject(dc, previousFont));
    SelectObject(dc, previousBitmap);
    DeleteObject(section);
    DeleteDC(dc);
    return block;
}

uint16_t Fail(uint16_t condition) {
    g_source.condition = condition;
    return twain::kFailure;
}

uint16_t Capability(uint16_t message, TwCapability& capability) {
    if (capability.cap != twain::kCapXferCount) return Fail(twain::kConditionBadCap);
    if (message == twain::kSet) {
        auto* one = static_cast<TwOneValue*>(GlobalLock(capability.container));
        const int16_t wanted = one ? static_cast<int16_t>(one->item) : 0;
        if (one) GlobalUnlock(capability.container);
        if (g_source.script.refuseCount && !g_source.countRefused) {
            // It keeps its own count this once: the application sets it back.
            g_source.countRefused = true;
            return twain::kCheckStatus;
        }
        g_source.count = wanted;
        return twain::kSuccess;
    }
    if (message == twain::kGet || message == twain::kGetCurrent) {
        capability.conType = twain::kOneValue;
        capability.container = GlobalAlloc(GMEM_MOVEABLE, sizeof(TwOneValue));
        auto* one = static_cast<TwOneValue*>(GlobalLock(capability.container));
        *one = {twain::kTypeInt16, static_cast<uint16_t>(g_source.count)};
        GlobalUnlock(capability.container);
        return twain::kSuccess;
    }
    return Fail(twain::kConditionBummer);
}

uint16_t UserInterface(uint16_t message, TwUserInterface& ui) {
    if (message == twain::kEnableDs) {
        g_source.parent = static_cast<HWND>(ui.parent);
        g_source.next = 1;
        g_source.remaining = g_source.script.cancel ? 0 : g_source.script.pages;
        // A positive transfer count limits the pages; -1 takes the whole feeder.
        if (g_source.count > 0 && g_source.count < g_source.remaining)
            g_source.remaining = g_source.count;
        ui.modalUI = 0;
        Post(g_source.remaining > 0 ? twain::kXferReady : twain::kCloseDsReq);
        return twain::kSuccess;
    }
    if (message == twain::kDisableDs) return twain::kSuccess;
    return Fail(twain::kConditionBummer);
}

uint16_t PendingTransfers(uint16_t message, TwPendingXfers& pending) {
    if (message == twain::kEndXfer && g_source.remaining > 0) --g_source.remaining;
    if (message == twain::kReset) g_source.remaining = 0;
    pending.count = static_cast<uint16_t>(g_source.remaining);
    if (g_source.remaining == 0) Post(twain::kCloseDsReq);
    return twain::kSuccess;
}

uint16_t Event(TwEvent& event) {
    const auto* message = static_cast<const MSG*>(event.event);
    event.twMessage = twain::kNullMessage;
    if (!message || message->message != EventMessage()) return twain::kNotDsEvent;
    event.twMessage = static_cast<uint16_t>(message->wParam);
    return twain::kDsEvent;
}

uint16_t ImageInfo(TwImageInfo& info) {
    if (g_source.script.failImageInfo) return Fail(twain::kConditionBummer);
    info = {};
    info.xResolutionWhole = info.yResolutionWhole = 150;
    info.imageWidth = kPageWidth;
    info.imageLength = kPageHeight;
    info.samplesPerPixel = 3;
    info.bitsPerSample[0] = info.bitsPerSample[1] = info.bitsPerSample[2] = 8;
    info.bitsPerPixel = 24;
    info.pixelType = 2;  // RGB
    return twain::kSuccess;
}

uint16_t NativeTransfer(HANDLE& image) {
    const int page = g_source.next++;
    if (page == g_source.script.failPage) return Fail(twain::kConditionBummer);
    image = PagePicture(page);
    return image ? twain::kXferDone : Fail(twain::kConditionBummer);
}

}  // namespace

extern "C" __declspec(dllexport) uint16_t WINAPI
    DS_Entry(TwIdentity* origin, uint32_t group, uint16_t dat, uint16_t message, void* data) {
    (void)origin;
    if (group == twain::kControl) {
        switch (dat) {
            case twain::kDatIdentity:
                if (message == twain::kGet) {
                    FillIdentity(*static_cast<TwIdentity*>(data), ReadScript());
                    return twain::kSuccess;
                }
                if (message == twain::kOpenDs) {
                    g_source = Source();
                    g_source.script = ReadScript();
                    FillIdentity(*static_cast<TwIdentity*>(data), g_source.script);
                    return twain::kSuccess;
                }
                return message == twain::kCloseDs ? twain::kSuccess : Fail(twain::kConditionBummer);
            case twain::kDatCapability:
                return Capability(message, *static_cast<TwCapability*>(data));
            case twain::kDatUserInterface:
                return UserInterface(message, *static_cast<TwUserInterface*>(data));
            case twain::kDatPendingXfers:
                return PendingTransfers(message, *static_cast<TwPendingXfers*>(data));
            case twain::kDatEvent:
                return Event(*static_cast<TwEvent*>(data));
            case twain::kDatStatus:
                *static_cast<TwStatus*>(data) = {g_source.condition, 0};
                g_source.condition = 0;
                return twain::kSuccess;
            default:
                return Fail(twain::kConditionBummer);
        }
    }
    if (group == twain::kImage && message == twain::kGet) {
        if (dat == twain::kDatImageInfo) return ImageInfo(*static_cast<TwImageInfo*>(data));
        if (dat == twain::kDatImageNativeXfer) return NativeTransfer(*static_cast<HANDLE*>(data));
    }
    return Fail(twain::kConditionBummer);
}
