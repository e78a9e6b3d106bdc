#include "platform/uilib/core/FontTable.h"

void FontTable::Add(int id, const std::wstring& face, int size, bool bold, bool underline,
                    bool italic, bool isDefault) {
    numbered_[id] = Description{face, size > 0 ? size : 12, bold, underline, italic};
    if (isDefault || defaultId_ < 0) {
        defaultId_ = id;
    }
}

HFONT FontTable::Get(int id, int dpi) {
    auto found = numbered_.find(id);
    if (found == numbered_.end()) {
        found = numbered_.find(defaultId_);
    }
    if (found == numbered_.end()) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return Create(Description{metrics.lfMessageFont.lfFaceName, 12}, dpi);
    }
    return Create(found->second, dpi);
}

HFONT FontTable::Get(const std::wstring& face, int size, bool bold, bool underline, bool italic,
                     int dpi) {
    return Create(Description{face, size, bold, underline, italic}, dpi);
}

HFONT FontTable::Create(const Description& description, int dpi) {
    Key key{description.face,      description.size,   description.bold,
            description.underline, description.italic, dpi};
    auto found = created_.find(key);
    if (found != created_.end()) {
        return found->second.get();
    }
    LOGFONTW font = {};
    // Sizes are character heights in pixels at 96 DPI.
    font.lfHeight = -MulDiv(description.size, dpi, 96);
    font.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = description.underline;
    font.lfItalic = description.italic;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, description.face.c_str(), LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    created_[key].reset(handle);
    return handle;
}

TEXTMETRIC FontTable::Metrics(HFONT font) {
    auto found = metrics_.find(font);
    if (found != metrics_.end()) {
        return found->second;
    }
    TEXTMETRIC metrics = {};
    WindowDc screen(nullptr);
    SelectedObject selected(screen.get(), font);
    GetTextMetricsW(screen.get(), &metrics);
    metrics_[font] = metrics;
    return metrics;
}

void FontTable::Reset() {
    created_.clear();
    metrics_.clear();
}
