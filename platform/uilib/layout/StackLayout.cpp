#include "platform/uilib/layout/StackLayout.h"

#include <algorithm>

#include "platform/uilib/core/ControlUI.h"

namespace {

// The two axes of a child in one shape: "along" is the stacking direction.
struct AxisView {
    bool vertical;
    long Along(const RECT& r) const { return vertical ? r.bottom - r.top : r.right - r.left; }
    long Across(const RECT& r) const { return vertical ? r.right - r.left : r.bottom - r.top; }
    long Before(const RECT& padding) const { return vertical ? padding.top : padding.left; }
    long After(const RECT& padding) const { return vertical ? padding.bottom : padding.right; }
    long AcrossBefore(const RECT& padding) const { return vertical ? padding.left : padding.top; }
    long AcrossAfter(const RECT& padding) const {
        return vertical ? padding.right : padding.bottom;
    }
    long Fixed(SIZE size) const { return vertical ? size.cy : size.cx; }
    long FixedAcross(SIZE size) const { return vertical ? size.cx : size.cy; }
    int MinAlong(const CControlUI* c) const {
        return vertical ? c->GetMinHeight() : c->GetMinWidth();
    }
    int MaxAlong(const CControlUI* c) const {
        return vertical ? c->GetMaxHeight() : c->GetMaxWidth();
    }
    int MinAcross(const CControlUI* c) const {
        return vertical ? c->GetMinWidth() : c->GetMinHeight();
    }
    int MaxAcross(const CControlUI* c) const {
        return vertical ? c->GetMaxWidth() : c->GetMaxHeight();
    }
};

bool Stacked(const CControlUI* item) { return item->IsVisible() && !item->IsFloat(); }

}  // namespace

int StackChildren(const std::vector<CControlUI*>& items, const RECT& client, int childPadding,
                  int scroll, bool vertical) {
    AxisView axis{vertical};
    SIZE available = {client.right - client.left, client.bottom - client.top};
    long space = axis.Along(client);

    // First pass: what the fixed children and all paddings take.
    long taken = 0;
    int stretchCount = 0;
    int stacked = 0;
    for (CControlUI* item : items) {
        if (!Stacked(item)) {
            continue;
        }
        ++stacked;
        RECT padding = item->GetPadding();
        taken += axis.Before(padding) + axis.After(padding);
        long fixed = axis.Fixed(item->EstimateSize(available));
        if (fixed > 0) {
            taken += std::clamp<long>(fixed, axis.MinAlong(item), axis.MaxAlong(item));
        } else {
            ++stretchCount;
        }
    }
    if (stacked > 1) {
        taken += static_cast<long>(childPadding) * (stacked - 1);
    }
    long stretchSpace = std::max(0L, space - taken);

    // Second pass: place them; the last stretching child takes the remainder.
    long cursor = (vertical ? client.top : client.left) - scroll;
    long contentLength = 0;
    int stretchLeft = stretchCount;
    bool first = true;
    for (CControlUI* item : items) {
        if (!Stacked(item)) {
            continue;
        }
        if (!first) {
            cursor += childPadding;
            contentLength += childPadding;
        }
        first = false;
        RECT padding = item->GetPadding();
        SIZE estimate = item->EstimateSize(available);
        long along = axis.Fixed(estimate);
        if (along <= 0) {
            along = stretchLeft == 1 ? stretchSpace : stretchSpace / std::max(stretchLeft, 1);
            --stretchLeft;
            along = std::max(along, 0L);
        }
        along = std::clamp<long>(along, axis.MinAlong(item), axis.MaxAlong(item));
        if (axis.Fixed(estimate) <= 0) {
            stretchSpace = std::max(0L, stretchSpace - along);
        }
        long across = axis.FixedAcross(estimate);
        long acrossRoom =
            axis.Across(client) - axis.AcrossBefore(padding) - axis.AcrossAfter(padding);
        if (across <= 0) {
            across = acrossRoom;
        }
        across = std::clamp<long>(across, axis.MinAcross(item), axis.MaxAcross(item));

        long start = cursor + axis.Before(padding);
        long acrossStart = (vertical ? client.left : client.top) + axis.AcrossBefore(padding);
        RECT rect = vertical ? RECT{acrossStart, start, acrossStart + across, start + along}
                             : RECT{start, acrossStart, start + along, acrossStart + across};
        item->SetPos(rect, false);
        long step = axis.Before(padding) + along + axis.After(padding);
        cursor += step;
        contentLength += step;
    }
    return static_cast<int>(contentLength);
}
