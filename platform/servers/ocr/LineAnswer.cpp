#include "platform/servers/ocr/LineAnswer.h"

#include <algorithm>
#include <set>

namespace pimlo::servers {

namespace {

bool IsTrue(const FormFields& fields, const std::string& name) {
    auto found = fields.find(name);
    return found != fields.end() && found->second == "true";
}

Json::Value Probability(const std::vector<double>& confidences) {
    Json::Value probability(Json::objectValue);
    if (confidences.empty()) return probability;
    double sum = 0;
    for (double c : confidences) sum += c;
    const double average = sum / confidences.size();
    double spread = 0;
    for (double c : confidences) spread += (c - average) * (c - average);
    probability["average"] = average;
    probability["min"] = *std::min_element(confidences.begin(), confidences.end());
    probability["variance"] = spread / confidences.size();
    return probability;
}

Json::Value Location(const TextBox& box) {
    Json::Value location(Json::objectValue);
    location["height"] = box.height;
    location["left"] = box.left;
    location["top"] = box.top;
    location["width"] = box.width;
    return location;
}

}  // namespace

LineAnswerOptions LineOptionsFor(const FormFields& fields, bool positionsAlways) {
    LineAnswerOptions options;
    options.probability = IsTrue(fields, "probability");
    options.location = positionsAlways || IsTrue(fields, "location");
    options.detectDirection = IsTrue(fields, "detect_direction");
    options.detectLanguage = IsTrue(fields, "detect_language");
    return options;
}

std::optional<std::string> LanguagesFor(const FormFields& fields) {
    auto found = fields.find("language_type");
    if (found == fields.end() || found->second == "CHN_ENG") return "chi_sim+eng";
    static const std::set<std::string> kLatinScript = {"ENG", "POR", "FRE", "GER", "ITA", "SPA"};
    if (kLatinScript.count(found->second)) return "eng";
    return std::nullopt;
}

Json::Value LineAnswer(const Recognition& recognition, const LineAnswerOptions& options,
                       uint64_t logId) {
    Json::Value answer(Json::objectValue);
    answer["log_id"] = Json::UInt64(logId);
    // Pictures are read as they come: no rotation is looked for.
    if (options.detectDirection) answer["direction"] = 0;
    // -1: the language is not told apart (the provider's "unknown").
    if (options.detectLanguage) answer["language"] = -1;
    Json::Value& lines = answer["words_result"] = Json::Value(Json::arrayValue);
    for (const RecognisedLine& line : recognition.lines) {
        Json::Value entry(Json::objectValue);
        entry["words"] = line.text;
        if (options.probability) entry["probability"] = Probability(line.wordConfidences);
        if (options.location) entry["location"] = Location(line.box);
        lines.append(entry);
    }
    answer["words_result_num"] = static_cast<Json::UInt>(lines.size());
    return answer;
}

}  // namespace pimlo::servers
