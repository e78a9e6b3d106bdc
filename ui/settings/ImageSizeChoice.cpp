#include "ui/settings/ImageSizeChoice.h"

#include <iterator>

namespace {

constexpr int32_t kImageSizes[] = {1024, 2048, 4096};
constexpr int kImageSizeCount = static_cast<int>(std::size(kImageSizes));

}  // namespace

int ImageSizeItem(int32_t maxImageSize) {
    for (int item = 0; item < kImageSizeCount; ++item) {
        if (kImageSizes[item] == maxImageSize) return item;
    }
    return -1;
}

int32_t ImageSizeOfItem(int item) {
    return item >= 0 && item < kImageSizeCount ? kImageSizes[item] : 0;
}
