#include "platform/servers/ocr/Picture.h"

#include <leptonica/allheaders.h>

#include <optional>
#include <string>

#include "platform/servers/core/Base64Decode.h"
#include "platform/servers/ocr/ApiErrors.h"

namespace pimlo::servers {

void PixDeleter::operator()(Pix* pix) const { pixDestroy(&pix); }

namespace {

PictureRead Refuse(int64_t error) { return PictureRead{nullptr, error}; }

// Leptonica reports every picture it can not read on stderr; refused
// pictures are answered with an error code instead.
void QuietenLeptonica() {
    static const bool quiet = [] {
        setMsgSeverity(L_SEVERITY_NONE);
        return true;
    }();
    (void)quiet;
}

// Grey, 8 bits per pixel, transparent parts laid over white: the form the
// recogniser reads best, whatever the file held.
PixPtr ToGrey(PixPtr pix) {
    if (pixGetSpp(pix.get()) == 4) pix.reset(pixRemoveAlpha(pix.get()));
    if (!pix) return nullptr;
    if (pixGetDepth(pix.get()) == 8 && !pixGetColormap(pix.get())) return pix;
    return PixPtr(pixConvertTo8(pix.get(), 0));
}

}  // namespace

PictureRead ReadPicture(const FormFields& fields, const PictureLimits& limits) {
    QuietenLeptonica();
    auto found = fields.find("image");
    if (found == fields.end()) return Refuse(kMissingParameter);
    const std::string& text = found->second;
    if (text.empty()) return Refuse(kEmptyImage);
    if (text.size() > limits.maxBase64Bytes) return Refuse(kImageSizeError);

    std::optional<std::string> bytes = DecodeBase64(text);
    if (!bytes || bytes->empty()) return Refuse(kImageFormatError);
    const auto* data = reinterpret_cast<const l_uint8*>(bytes->data());

    l_int32 format = 0, width = 0, height = 0, bps = 0, spp = 0, colormapped = 0;
    if (pixReadHeaderMem(data, bytes->size(), &format, &width, &height, &bps, &spp, &colormapped) !=
        0)
        return Refuse(kImageFormatError);
    if (width < limits.minSide || height < limits.minSide || width > limits.maxSide ||
        height > limits.maxSide)
        return Refuse(kImageSizeError);

    PixPtr pix(pixReadMem(data, bytes->size()));
    if (!pix) return Refuse(kImageFormatError);
    pix = ToGrey(std::move(pix));
    if (!pix) return Refuse(kImageFormatError);
    return PictureRead{std::move(pix), 0};
}

}  // namespace pimlo::servers
