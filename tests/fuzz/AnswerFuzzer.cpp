// The service's answer to one picture of every recognition kind, through the
// worker's Recognise as a batch run calls it: the answer is read by the
// client, checked for errors and turned into a result by the run's layout.
//
// Input: one letter that picks the run (see kRuns: 'a' the first, 'b' the
// second ...), then the answers to the posts in order, separated by
// "\n----\n" lines: the recognition answer first, then the answer to a
// repetition after a refused token, or the polls of a table.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "ocr/PermitParser.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct Run {
    RecognitionKind runKind;
    RecognitionKind kind;  // of the request
    bool useHighQuality;   // general text by the cloud service, not the local engine first
};

constexpr Run kRuns[] = {
    {RecognitionKind::LocalText, RecognitionKind::LocalText, true},
    {RecognitionKind::LocalText, RecognitionKind::LocalText, false},
    {RecognitionKind::GeneralText, RecognitionKind::GeneralText, true},
    {RecognitionKind::IdCardPair, RecognitionKind::IdCardFront, true},
    {RecognitionKind::IdCardPair, RecognitionKind::IdCardBack, true},
    {RecognitionKind::BankCard, RecognitionKind::BankCard, true},
    {RecognitionKind::DrivingLicense, RecognitionKind::DrivingLicense, true},
    {RecognitionKind::VehicleLicense, RecognitionKind::VehicleLicense, true},
    {RecognitionKind::VatInvoice, RecognitionKind::VatInvoice, true},
    {RecognitionKind::BusinessLicense, RecognitionKind::BusinessLicense, true},
    {RecognitionKind::Passport, RecognitionKind::Passport, true},
    {RecognitionKind::AccountPermit, RecognitionKind::AccountPermit, true},
    {RecognitionKind::FormTable, RecognitionKind::FormTable, true},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto letter = static_cast<uint8_t>(data[0] - 'a');
    const Run& run = kRuns[letter % std::size(kRuns)];
    const ScriptedService service(
        kTokenAnswer,
        SplitAnswers(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)));

    RecognitionWorker worker(ScriptedServices(run.useHighQuality));
    worker.runKind = run.runKind;
    worker.spreadsheetFolder = L"C:\\Results";
    const std::unique_ptr<RecognitionResult> result = worker.Recognise("C:\\picture.jpg", run.kind);
    if (result && run.runKind == RecognitionKind::AccountPermit) {
        // The permit's display text: its lines joined without separators.
        std::wstring text;
        for (const std::wstring& line : result->lines) text += line;
        ParsePermit(text, run.runKind);
    }
    return 0;
}
