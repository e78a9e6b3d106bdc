#pragma once
// What each recognition endpoint answers, given the request's fields and
// what the recogniser read on its picture.

#include <json/value.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/servers/ocr/FormFields.h"
#include "platform/servers/ocr/Recogniser.h"

namespace pimlo::servers {

struct RecognitionEndpoint {
    std::string path;
    // Refuses the request before the picture is read: an ApiError, or 0.
    std::function<int64_t(const FormFields& fields)> check;
    // The Tesseract languages for the request; nullopt refuses it (216100).
    std::function<std::optional<std::string>(const FormFields& fields)> languages;
    std::function<Json::Value(const FormFields& fields, const Recognition& recognition,
                              uint64_t logId)>
        answer;
};

// Every picture endpoint this host serves, under its path.
std::vector<RecognitionEndpoint> RecognitionEndpoints();

}  // namespace pimlo::servers
