#pragma once
// Answers of the text endpoints (general_basic, accurate_basic and their
// kin): one "words_result" entry per recognised line.

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/servers/ocr/FormFields.h"
#include "platform/servers/ocr/Recogniser.h"

namespace pimlo::servers {

struct LineAnswerOptions {
    bool probability = false;      // "probability": {average, min, variance} per line
    bool location = false;         // "location": {height, left, top, width} per line
    bool detectDirection = false;  // "direction"
    bool detectLanguage = false;   // "language"
};

// The options a request asks for: its "probability", "detect_direction" and
// "detect_language" fields ("true" turns them on). Locations come with the
// endpoints that always give positions, or when "location" is "true".
LineAnswerOptions LineOptionsFor(const FormFields& fields, bool positionsAlways);

// The Tesseract languages for the request's "language_type": Chinese and
// English for "CHN_ENG" (also when absent), English for "ENG" and the other
// Latin-script languages; nullopt for a value the provider does not take.
std::optional<std::string> LanguagesFor(const FormFields& fields);

Json::Value LineAnswer(const Recognition& recognition, const LineAnswerOptions& options,
                       uint64_t logId);

}  // namespace pimlo::servers
