#include "platform/uilib/render/RenderEngine.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <vector>

#include "common/Win32Handles.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/ImageAttribute.h"
#include "platform/uilib/render/ImageData.h"
#include "platform/uilib/render/LabelMarkup.h"

namespace {

Gdiplus::Color ToGdiplus(DWORD color) {
    return Gdiplus::Color(static_cast<BYTE>(color >> 24), static_cast<BYTE>(color >> 16),
                          static_cast<BYTE>(color >> 8), static_cast<BYTE>(color));
}

// A rounded rectangle path inside rect (width and height of the corner ellipse).
void AddRoundRect(Gdiplus::GraphicsPath& path, const RECT& rect, int width, int height) {
    float left = static_cast<float>(rect.left), top = static_cast<float>(rect.top);
    float right = static_cast<float>(rect.right) - 1, bottom = static_cast<float>(rect.bottom) - 1;
    float w = static_cast<float>(std::min<long>(width, rect.right - rect.left));
    float h = static_cast<float>(std::min<long>(height, rect.bottom - rect.top));
    if (w <= 0 || h <= 0) {
        path.AddRectangle(Gdiplus::RectF(left, top, right - left, bottom - top));
        return;
    }
    path.AddArc(left, top, w, h, 180, 90);
    path.AddArc(right - w, top, w, h, 270, 90);
    path.AddArc(right - w, bottom - h, w, h, 0, 90);
    path.AddArc(left, bottom - h, w, h, 90, 90);
    path.CloseFigure();
}

// One stretched piece of a picture.
void Blend(HDC target, HDC source, const RECT& dest, const RECT& from, BYTE fade) {
    if (dest.right <= dest.left || dest.bottom <= dest.top || from.right <= from.left ||
        from.bottom <= from.top) {
        return;
    }
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
    AlphaBlend(target, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source,
               from.left, from.top, from.right - from.left, from.bottom - from.top, blend);
}

HFONT RunFont(CPaintManagerUI* manager, const MarkupRun& run, int labelFont) {
    if (!run.fontFace.empty()) {
        return manager->GetFont(run.fontFace.c_str(), run.fontSize);
    }
    return manager->GetFont(run.fontIndex >= 0 ? run.fontIndex : labelFont);
}

// A markup run measured for one line.
struct PlacedRun {
    const MarkupRun* run;
    HFONT font;
    std::shared_ptr<const ImageData> image;
    SIZE size;
};

}  // namespace

void CRenderEngine::DrawColor(HDC hDC, const RECT& rect, DWORD color) {
    BYTE alpha = static_cast<BYTE>(color >> 24);
    if (alpha == 0) {
        return;
    }
    if (alpha == 255) {
        SetBkColor(hDC, ToColorRef(color));
        ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        return;
    }
    Gdiplus::Graphics graphics(hDC);
    Gdiplus::SolidBrush brush(ToGdiplus(color));
    graphics.FillRectangle(&brush, static_cast<INT>(rect.left), static_cast<INT>(rect.top),
                           static_cast<INT>(rect.right - rect.left),
                           static_cast<INT>(rect.bottom - rect.top));
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rect, int size, DWORD color) {
    RECT edges[4] = {{rect.left, rect.top, rect.right, rect.top + size},
                     {rect.left, rect.bottom - size, rect.right, rect.bottom},
                     {rect.left, rect.top + size, rect.left + size, rect.bottom - size},
                     {rect.right - size, rect.top + size, rect.right, rect.bottom - size}};
    for (const RECT& edge : edges) {
        DrawColor(hDC, edge, color);
    }
}

void CRenderEngine::FillRoundRect(HDC hDC, const RECT& rect, int width, int height, DWORD color) {
    EnsureGdiplus();
    Gdiplus::Graphics graphics(hDC);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::GraphicsPath path;
    AddRoundRect(path, rect, width, height);
    Gdiplus::SolidBrush brush(ToGdiplus(color));
    graphics.FillPath(&brush, &path);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rect, int size, int width, int height,
                                  DWORD color) {
    EnsureGdiplus();
    Gdiplus::Graphics graphics(hDC);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::GraphicsPath path;
    RECT inner = {rect.left + size / 2, rect.top + size / 2, rect.right - (size - 1) / 2,
                  rect.bottom - (size - 1) / 2};
    AddRoundRect(path, inner, width, height);
    Gdiplus::Pen pen(ToGdiplus(color), static_cast<Gdiplus::REAL>(size));
    graphics.DrawPath(&pen, &path);
}

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* manager, const RECT& rect,
                                    const std::wstring& image) {
    ImageAttribute attribute = ParseImageAttribute(image);
    if (attribute.file.empty()) {
        return false;
    }
    std::shared_ptr<const ImageData> data = manager->GetImage(attribute.file);
    if (!data) {
        return false;
    }
    const CDPI& dpi = manager->GetDPI();
    int factor = data->PixelsPerUnit();
    RECT source = {0, 0, data->Width(), data->Height()};
    if (attribute.hasSource) {
        source = {attribute.source.left * factor, attribute.source.top * factor,
                  attribute.source.right * factor, attribute.source.bottom * factor};
        source.right = std::min<long>(source.right, data->Width());
        source.bottom = std::min<long>(source.bottom, data->Height());
    }
    RECT dest = rect;
    if (attribute.hasDest) {
        RECT offset = dpi.Scale(attribute.dest);
        dest = {rect.left + offset.left, rect.top + offset.top, rect.left + offset.right,
                rect.top + offset.bottom};
    }
    RECT corner = {attribute.corner.left * factor, attribute.corner.top * factor,
                   attribute.corner.right * factor, attribute.corner.bottom * factor};
    DrawImage(hDC, *data, dest, source, corner, dpi.Scale(attribute.corner), attribute.fade);
    return true;
}

void CRenderEngine::DrawImage(HDC hDC, const ImageData& image, const RECT& dest, const RECT& source,
                              const RECT& corner, const RECT& destCorner, BYTE fade) {
    OwnedDc memory(CreateCompatibleDC(hDC));
    if (!memory) {
        return;
    }
    SelectedObject selected(memory.get(), image.Bitmap());
    // Three columns and three rows: the corners keep their size, the edges
    // stretch one way and the middle both ways.
    long sx[4] = {source.left, source.left + corner.left, source.right - corner.right,
                  source.right};
    long sy[4] = {source.top, source.top + corner.top, source.bottom - corner.bottom,
                  source.bottom};
    long dx[4] = {dest.left, dest.left + destCorner.left, dest.right - destCorner.right,
                  dest.right};
    long dy[4] = {dest.top, dest.top + destCorner.top, dest.bottom - destCorner.bottom,
                  dest.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            Blend(hDC, memory.get(), RECT{dx[column], dy[row], dx[column + 1], dy[row + 1]},
                  RECT{sx[column], sy[row], sx[column + 1], sy[row + 1]}, fade);
        }
    }
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* manager, const RECT& rect, LPCTSTR text,
                             DWORD color, int font, UINT style) {
    if (!text || !*text) {
        return;
    }
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, ToColorRef(color));
    SelectedObject selected(hDC, manager->GetFont(font));
    RECT box = rect;
    ::DrawTextW(hDC, text, -1, &box, style | DT_NOPREFIX);
}

SIZE CRenderEngine::GetTextSize(HDC hDC, CPaintManagerUI* manager, LPCTSTR text, int font,
                                UINT style) {
    SIZE size = {0, 0};
    if (!text || !*text) {
        return size;
    }
    SelectedObject selected(hDC, manager->GetFont(font));
    RECT box = {0, 0, 9999, 9999};
    ::DrawTextW(
        hDC, text, -1, &box,
        (style & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT | DT_NOPREFIX);
    size.cx = box.right - box.left;
    size.cy = box.bottom - box.top;
    return size;
}

void CRenderEngine::DrawHtmlText(HDC hDC, CPaintManagerUI* manager, const RECT& rect, LPCTSTR text,
                                 DWORD color, int font, UINT style) {
    if (!text || !*text) {
        return;
    }
    std::vector<MarkupRun> runs = ParseLabelMarkup(text);
    const CDPI& dpi = manager->GetDPI();
    // Split into lines and measure every run.
    std::vector<std::vector<PlacedRun>> lines(1);
    for (const MarkupRun& run : runs) {
        if (run.kind == MarkupRun::LineBreak) {
            lines.emplace_back();
            continue;
        }
        PlacedRun placed{&run, RunFont(manager, run, font), nullptr, {0, 0}};
        TEXTMETRIC metrics = manager->GetFontMetrics(placed.font);
        placed.size.cy = metrics.tmHeight;
        if (run.kind == MarkupRun::Text) {
            SelectedObject selected(hDC, placed.font);
            GetTextExtentPoint32W(hDC, run.text.c_str(), static_cast<int>(run.text.size()),
                                  &placed.size);
        } else if (run.kind == MarkupRun::Space) {
            placed.size.cx = dpi.Scale(run.space);
        } else {
            ImageAttribute attribute = ParseImageAttribute(run.text);
            placed.image = manager->GetImage(attribute.file);
            if (placed.image) {
                int factor = placed.image->PixelsPerUnit();
                placed.size = {dpi.Scale(placed.image->Width() / factor),
                               dpi.Scale(placed.image->Height() / factor)};
            }
        }
        lines.back().push_back(placed);
    }
    int totalHeight = 0;
    std::vector<SIZE> lineSizes;
    for (const auto& line : lines) {
        SIZE size = {0, 0};
        for (const PlacedRun& placed : line) {
            size.cx += placed.size.cx;
            size.cy = std::max(size.cy, placed.size.cy);
        }
        if (size.cy == 0) {
            size.cy = manager->GetFontMetrics(manager->GetFont(font)).tmHeight;
        }
        lineSizes.push_back(size);
        totalHeight += size.cy;
    }
    int y = rect.top;
    if (style & DT_VCENTER) {
        y = rect.top + (rect.bottom - rect.top - totalHeight) / 2;
    } else if (style & DT_BOTTOM) {
        y = rect.bottom - totalHeight;
    }
    int saved = SaveDC(hDC);
    IntersectClipRect(hDC, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(hDC, TRANSPARENT);
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = rect.left;
        if (style & DT_CENTER) {
            x = rect.left + (rect.right - rect.left - lineSizes[i].cx) / 2;
        } else if (style & DT_RIGHT) {
            x = rect.right - lineSizes[i].cx;
        }
        for (const PlacedRun& placed : lines[i]) {
            int top = y + (lineSizes[i].cy - placed.size.cy) / 2;
            if (placed.run->kind == MarkupRun::Text) {
                SelectObject(hDC, placed.font);
                SetTextColor(hDC, ToColorRef(placed.run->color ? placed.run->color : color));
                TextOutW(hDC, x, top, placed.run->text.c_str(),
                         static_cast<int>(placed.run->text.size()));
            } else if (placed.image) {
                RECT box = {x, top, x + placed.size.cx, top + placed.size.cy};
                CRenderEngine::DrawImageString(hDC, manager, box, placed.run->text);
            }
            x += placed.size.cx;
        }
        y += lineSizes[i].cy;
    }
    RestoreDC(hDC, saved);
}
