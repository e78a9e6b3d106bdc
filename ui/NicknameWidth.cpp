#include "ui/NicknameWidth.h"

namespace {

constexpr int kIconAndArrowPixels = 44;
constexpr int kUnmeasuredPixels = 100;
constexpr int kBoxMargin = 12;
// At 200 % the box gets a fifth more room than the text needs.
constexpr double kDoubleScaleAllowance = 1.2;

}  // namespace

int NicknameBoxWidth(int textWidthPixels, int dpi) {
    const int pixels =
        textWidthPixels < 0 ? kUnmeasuredPixels : textWidthPixels + kIconAndArrowPixels;
    double units = pixels * 96.0 / (dpi > 0 ? dpi : 96);
    if (dpi >= 192) units *= kDoubleScaleAllowance;
    return static_cast<int>(units) + kBoxMargin;
}
