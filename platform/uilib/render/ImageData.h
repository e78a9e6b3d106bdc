#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Win32Handles.h"
#include "platform/uilib/UIExport.h"

// A decoded picture: a 32-bit top-down DIB section with premultiplied alpha,
// ready for AlphaBlend. pixelsPerUnit is 2 for an "@200" picture, whose
// source rectangles are given at 100 % and must be doubled.
class UILIB_API ImageData {
public:
    ImageData(GdiObject<HBITMAP> bitmap, int width, int height, int pixelsPerUnit);
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    HBITMAP Bitmap() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int PixelsPerUnit() const { return pixelsPerUnit_; }

private:
    GdiObject<HBITMAP> bitmap_;
    int width_;
    int height_;
    int pixelsPerUnit_;
};

// Decodes PNG, JPEG, BMP or GIF (first frame) bytes through GDI+; null when
// they are no picture.
UILIB_API std::shared_ptr<ImageData> DecodeImage(const std::string& bytes, int pixelsPerUnit);

// The frames of an animated GIF and their delays in milliseconds (at least
// 20, as browsers treat shorter ones). A still picture gives one frame.
UILIB_API void DecodeAnimation(const std::string& bytes,
                               std::vector<std::shared_ptr<ImageData>>& frames,
                               std::vector<UINT>& delays);

// Starts GDI+ once for the library's own use; the program may start it too.
void EnsureGdiplus();
