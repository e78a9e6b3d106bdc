#include "platform/servers/ocr/EndpointAnswers.h"

#include "platform/servers/ocr/ApiErrors.h"
#include "platform/servers/ocr/BankCardAnswer.h"
#include "platform/servers/ocr/IdCardAnswer.h"
#include "platform/servers/ocr/InvoiceAnswer.h"
#include "platform/servers/ocr/LicenceAnswers.h"
#include "platform/servers/ocr/LineAnswer.h"

namespace pimlo::servers {

namespace {

constexpr char kApiPrefix[] = "/rest/2.0/ocr/v1/";
// Cards, licences and invoices print Chinese labels and Latin values.
constexpr char kCardLanguages[] = "chi_sim+eng";

std::vector<std::string> LineTexts(const Recognition& recognition) {
    std::vector<std::string> texts;
    for (const RecognisedLine& line : recognition.lines) texts.push_back(line.text);
    return texts;
}

int64_t NoCheck(const FormFields&) { return 0; }

std::optional<std::string> CardLanguages(const FormFields&) { return kCardLanguages; }

RecognitionEndpoint TextEndpoint(const std::string& name, bool positions) {
    return {kApiPrefix + name, NoCheck, LanguagesFor,
            [positions](const FormFields& fields, const Recognition& recognition, uint64_t logId) {
                return LineAnswer(recognition, LineOptionsFor(fields, positions), logId);
            }};
}

RecognitionEndpoint LicenceEndpoint(const std::string& name, LicenceKind kind) {
    return {kApiPrefix + name, NoCheck, CardLanguages,
            [kind](const FormFields&, const Recognition& recognition, uint64_t logId) {
                return LicenceAnswer(kind, LineTexts(recognition), logId);
            }};
}

int64_t CheckIdCardSide(const FormFields& fields) {
    auto side = fields.find("id_card_side");
    if (side == fields.end()) return kMissingParameter;
    if (side->second == "front" || side->second == "back") return 0;
    return kInvalidParameter;
}

Json::Value IdCard(const FormFields& fields, const Recognition& recognition, uint64_t logId) {
    return IdCardAnswer(LineTexts(recognition), fields.at("id_card_side") == "front", logId);
}

Json::Value BankCard(const FormFields&, const Recognition& recognition, uint64_t logId) {
    return BankCardAnswer(LineTexts(recognition), logId)
        .value_or(ErrorAnswer(kBankCardError, logId));
}

Json::Value VatInvoice(const FormFields&, const Recognition& recognition, uint64_t logId) {
    return InvoiceAnswer(LineTexts(recognition), logId);
}

}  // namespace

std::vector<RecognitionEndpoint> RecognitionEndpoints() {
    return {
        TextEndpoint("general_basic", false),
        TextEndpoint("accurate_basic", false),
        // These give every line's position.
        TextEndpoint("general", true),
        TextEndpoint("accurate", true),
        TextEndpoint("general_enhanced", false),
        TextEndpoint("webimage", false),
        TextEndpoint("handwriting", true),
        TextEndpoint("receipt", true),
        {std::string(kApiPrefix) + "idcard", CheckIdCardSide, CardLanguages, IdCard},
        {std::string(kApiPrefix) + "bankcard", NoCheck, CardLanguages, BankCard},
        LicenceEndpoint("driving_license", LicenceKind::Driving),
        LicenceEndpoint("vehicle_license", LicenceKind::Vehicle),
        LicenceEndpoint("business_license", LicenceKind::Business),
        LicenceEndpoint("passport", LicenceKind::Passport),
        {std::string(kApiPrefix) + "vat_invoice", NoCheck, CardLanguages, VatInvoice},
    };
}

}  // namespace pimlo::servers
