#include "ocr/GeneralTextAnswer.h"

#include "common/StringConversion.h"

const Json::Value& WordsResultArray(const Json::Value& answer) {
    const Json::Value& words = answer["words_result"];
    if (!words.isNull() && !words.isArray()) {
        Json::throwLogicError("words_result is not an array");
    }
    return words;
}

void ReadGeneralText(const Json::Value& answer, RecognitionResult& result) {
    const Json::Value& words = WordsResultArray(answer);
    for (Json::ArrayIndex i = 0; i < words.size(); ++i) {
        const Json::Value& line = words[i];
        result.lines.push_back(Utf8ToWide(line["words"].asString()));
        const Json::Value& probability = line["probability"];
        if (probability.isObject()) {
            result.probabilities.push_back({probability["average"].asDouble(),
                                            probability["min"].asDouble(),
                                            probability["variance"].asDouble()});
        }
        const Json::Value& location = line["location"];
        if (location.isObject()) {
            result.locations.push_back({location["height"].asInt(), location["left"].asInt(),
                                        location["top"].asInt(), location["width"].asInt()});
        }
    }
    result.direction = answer["direction"].asInt();
    result.language = answer["language"].asInt();
}
