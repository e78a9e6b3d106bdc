#include "capture/FrozenScreen.h"

#include "capture/DibDarkening.h"
#include "platform/uilib/render/BitmapFunctions.h"

namespace {

// A memory device context like the screen's.
HDC ScreenLikeDc() {
    WindowDc screen(nullptr);
    return screen ? CreateCompatibleDC(screen.get()) : nullptr;
}

HANDLE DarkenedCopy(HBITMAP clean) {
    HANDLE dib = BitmapToDIB(clean);
    if (!dib) return nullptr;
    {
        GlobalMemoryLock<BITMAPINFOHEADER> locked(dib);
        if (locked) DarkenDib(locked.get(), GlobalSize(dib));
    }
    return dib;
}

}  // namespace

FrozenScreen::FrozenScreen(const RECT& monitor)
    : width_(monitor.right - monitor.left), height_(monitor.bottom - monitor.top) {
    clean_.reset(CopyScreenToBitmap(&monitor));
    if (!clean_) return;
    darkened_ = DarkenedCopy(clean_.get());
    cleanDc_.reset(ScreenLikeDc());
    if (cleanDc_) cleanSelected_.emplace(cleanDc_.get(), clean_.get());
    WindowDc screen(nullptr);
    canvas_.reset(screen ? CreateCompatibleBitmap(screen.get(), width_, height_) : nullptr);
    if (!canvas_ || !cleanDc_ || !*cleanSelected_) return;
    canvasDc_.reset(ScreenLikeDc());
    if (canvasDc_) canvasSelected_.emplace(canvasDc_.get(), canvas_.get());
    if (canvasDc_ && !*canvasSelected_) {
        canvasSelected_.reset();
        canvasDc_.reset();
    }
}

FrozenScreen::~FrozenScreen() {
    // The bitmaps leave their device contexts before either is deleted.
    canvasSelected_.reset();
    cleanSelected_.reset();
    DestroyDIB(darkened_);
}

HDC FrozenScreen::BeginView() {
    if (!Taken()) return nullptr;
    const RECT area = Area();
    PaintDIB(canvasDc_.get(), &area, darkened_, &area);
    return canvasDc_.get();
}

void FrozenScreen::ShowClean(const RECT& area) {
    if (!Taken()) return;
    BitBlt(canvasDc_.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           cleanDc_.get(), area.left, area.top, SRCCOPY);
}

void FrozenScreen::Present(HDC dc) const {
    if (Taken()) BitBlt(dc, 0, 0, width_, height_, canvasDc_.get(), 0, 0, SRCCOPY);
}

HBITMAP FrozenScreen::CopyClean(const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!Taken() || width <= 0 || height <= 0) return nullptr;
    GdiObject<HBITMAP> copy(CreateCompatibleBitmap(cleanDc_.get(), width, height));
    OwnedDc copyDc(CreateCompatibleDC(cleanDc_.get()));
    if (!copy || !copyDc) return nullptr;
    {
        SelectedObject selected(copyDc.get(), copy.get());
        if (!selected || !BitBlt(copyDc.get(), 0, 0, width, height, cleanDc_.get(), area.left,
                                 area.top, SRCCOPY))
            return nullptr;
    }
    return copy.release();
}
