#include "platform/uilib/controls/GifAnimUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/ImageAttribute.h"
#include "platform/uilib/render/ImageData.h"
#include "platform/uilib/render/RenderEngine.h"

namespace {
constexpr UINT kFrameTimer = 0x2002;
}

CGifAnimUI::CGifAnimUI() = default;
CGifAnimUI::~CGifAnimUI() = default;

std::wstring CGifAnimUI::GetClass() const { return L"GifAnim"; }

bool CGifAnimUI::LoadFrames() {
    if (loaded_) {
        return !frames_.empty();
    }
    if (!manager_) {
        return false;
    }
    loaded_ = true;
    std::wstring file = ParseImageAttribute(bkImage_).file;
    size_t dot = file.find_last_of(L'.');
    if (dot == std::wstring::npos || _wcsicmp(file.c_str() + dot, L".gif") != 0) {
        return false;
    }
    std::string bytes;
    if (!manager_->ReadResource(file, bytes)) {
        return false;
    }
    DecodeAnimation(bytes, frames_, delays_);
    return !frames_.empty();
}

void CGifAnimUI::DoInit() {
    if (autoPlay_ && LoadFrames()) {
        PlayGif();
    }
}

void CGifAnimUI::PlayGif() {
    if (!LoadFrames() || frames_.size() < 2 || !manager_) {
        return;
    }
    playing_ = manager_->SetTimer(this, kFrameTimer, delays_[frame_]);
}

void CGifAnimUI::StopGif() {
    if (manager_) {
        manager_->KillTimer(this, kFrameTimer);
    }
    playing_ = false;
    frame_ = 0;
    Invalidate();
}

void CGifAnimUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER && event.wParam == kFrameTimer && !frames_.empty()) {
        frame_ = (frame_ + 1) % frames_.size();
        manager_->SetTimer(this, kFrameTimer, delays_[frame_]);
        Invalidate();
        return;
    }
    CControlUI::DoEvent(event);
}

void CGifAnimUI::PaintBkImage(HDC hDC) {
    if (frames_.empty()) {
        CControlUI::PaintBkImage(hDC);
        return;
    }
    const ImageData& image = *frames_[frame_];
    RECT source = {0, 0, image.Width(), image.Height()};
    RECT none = {0, 0, 0, 0};
    CRenderEngine::DrawImage(hDC, image, pos_, source, none, none, 255);
}

void CGifAnimUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"autoplay") {
        autoPlay_ = ParseBool(value);
    } else {
        if (key == L"bkimage") {
            StopGif();
            frames_.clear();
            delays_.clear();
            loaded_ = false;
        }
        CControlUI::SetAttribute(name, value);
    }
}
