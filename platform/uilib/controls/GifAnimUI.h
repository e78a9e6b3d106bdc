#pragma once

#include <memory>
#include <vector>

#include "platform/uilib/core/ControlUI.h"

class ImageData;

// An animated GIF ("bkimage" naming a .gif) played with each frame's own
// delay; any other bkimage is drawn as it is, so a strip animation can be
// driven by changing the image's source rectangle.
class UILIB_API CGifAnimUI : public CControlUI {
public:
    CGifAnimUI();
    ~CGifAnimUI() override;

    std::wstring GetClass() const override;

    void PlayGif();
    void StopGif();
    bool IsPlaying() const { return playing_; }
    int GetFrameCount() const { return static_cast<int>(frames_.size()); }

    void DoInit() override;
    void DoEvent(TEventUI& event) override;
    void PaintBkImage(HDC hDC) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

private:
    bool LoadFrames();

    std::vector<std::shared_ptr<ImageData>> frames_;
    std::vector<UINT> delays_;
    size_t frame_ = 0;
    bool loaded_ = false;
    bool playing_ = false;
    bool autoPlay_ = true;
};
