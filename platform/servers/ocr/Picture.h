#pragma once
// The picture of a recognition request: the "image" field decoded and
// checked against the provider's limits, as a grey Leptonica image.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/servers/ocr/FormFields.h"

struct Pix;

namespace pimlo::servers {

struct PixDeleter {
    void operator()(Pix* pix) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

struct PictureLimits {
    // The provider takes at most 4 MiB of Base64 text.
    size_t maxBase64Bytes = 4 * 1024 * 1024;
    // Sides from 15 to 4096 pixels.
    int minSide = 15;
    int maxSide = 4096;
};

struct PictureRead {
    PixPtr picture;     // 8 bits per pixel, or null on error
    int64_t error = 0;  // an ApiError when picture is null
};

// Refuses a missing "image" (216101), an empty one (216200), one over the
// size limit (216202), text that is not Base64 or bytes that are no picture
// Leptonica decodes (216201) and sides out of range (216202). The sides are
// read from the header before the picture is decoded, so a small file that
// claims a huge picture costs no memory.
PictureRead ReadPicture(const FormFields& fields, const PictureLimits& limits = {});

}  // namespace pimlo::servers
