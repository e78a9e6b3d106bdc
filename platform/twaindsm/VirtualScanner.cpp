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
//   Width=1240         the page's size in pixels (a line of text: 1000 x 240)
//   Height=1754
//   Log=1              a line in "VirtualScanner.log" for each opening
//                      ("OPENDS") and closing ("CLOSEDS") of the source and
//                      for each page: how long the application held it, from
//                      the end of its transfer to the end-of-transfer call
//                      ("page N microseconds")
// Like TWAIN 1.x sources it posts its events to the application's window;
// they come back to it through the manager's MSG_PROCESSEVENT.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/twaindsm/TwainStandard.h"

namespace {

struct Script {
    int pages = 3;
    bool refuseCount = false;
    int failPage = 0;
    bool failImageInfo = false;
    bool cancel = false;
    int width = 1000;
    int height = 240;
    bool log = false;
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
    LARGE_INTEGER transferred = {};  // when the last page was handed over
} g_source;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// A file beside the scanner.
std::string OwnFile(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    const std::string module = path;
    return module.substr(0, module.find_last_of('\\') + 1) + name;
}

Script ReadScript() {
    const std::string ini = OwnFile("VirtualScanner.ini");
    Script script;
    auto number = [&](const char* key, int fallback) {
        return static_cast<int>(GetPrivateProfileIntA("Scanner", key, fallback, ini.c_str()));
    };
    script.pages = number("Pages", script.pages);
    script.refuseCount = number("RefuseCount", 0) != 0;
    script.failPage = number("FailPage", 0);
    script.failImageInfo = number("FailImageInfo", 0) != 0;
    script.cancel = number("Cancel", 0) != 0;
    script.width = number("Width", script.width);
    script.height = number("Height", script.height);
    script.log = number("Log", 0) != 0;
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
HGLOBAL PagePicture(int page, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
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
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontW(-72, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ previousFont = SelectObject(dc, font);
    const std::wstring text = L"Pimlo scans page " + std::to_wstring(page);
    DrawTextW(dc, text.c_str(), -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    GdiFlush();
    const size_t rows = static_cast<size_t>(((width * 3 + 3) / 4) * 4) * height;
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

void Log(const Script& script, const std::string& line) {
    if (!script.log) return;
    if (FILE* log = std::fopen(OwnFile("VirtualScanner.log").c_str(), "ab")) {
        std::fprintf(log, "%s\r\n", line.c_str());
        std::fclose(log);
    }
}

// How long the application held the page just transferred.
void LogHoldingTime() {
    if (g_source.transferred.QuadPart == 0) return;
    LARGE_INTEGER now = {}, frequency = {};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const long long micros =
        (now.QuadPart - g_source.transferred.QuadPart) * 1000000 / frequency.QuadPart;
    g_source.transferred = {};
    Log(g_source.script,
        "page " + std::to_string(g_source.next - 1) + " " + std::to_string(micros));
}

uint16_t PendingTransfers(uint16_t message, TwPendingXfers& pending) {
    if (message == twain::kEndXfer) LogHoldingTime();
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
    info.imageWidth = g_source.script.width;
    info.imageLength = g_source.script.height;
    info.samplesPerPixel = 3;
    info.bitsPerSample[0] = info.bitsPerSample[1] = info.bitsPerSample[2] = 8;
    info.bitsPerPixel = 24;
    info.pixelType = 2;  // RGB
    return twain::kSuccess;
}

uint16_t NativeTransfer(HANDLE& image) {
    const int page = g_source.next++;
    if (page == g_source.script.failPage) return Fail(twain::kConditionBummer);
    image = PagePicture(page, g_source.script.width, g_source.script.height);
    if (!image) return Fail(twain::kConditionBummer);
    QueryPerformanceCounter(&g_source.transferred);
    return twain::kXferDone;
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
                    Log(g_source.script, "OPENDS");
                    return twain::kSuccess;
                }
                if (message != twain::kCloseDs) return Fail(twain::kConditionBummer);
                Log(g_source.script, "CLOSEDS");
                return twain::kSuccess;
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
