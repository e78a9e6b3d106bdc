#include "ocr/ImageData.h"

#include "common/Base64.h"

FormMap BuildImageData(std::string_view picture, const FormMap& options) {
    FormMap data;
    data.emplace("image", Base64Encode(picture));
    data.insert(options.begin(), options.end());
    return data;
}
