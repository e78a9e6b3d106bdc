// The permit parser on the text of a recognised permit.
//
// Input: the recognised lines as the service sends them, in UTF-8, one per
// "\n"; each is converted as the answer's lines are, then all are joined
// without separators as the permit's display text is.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/StringConversion.h"
#include "ocr/PermitParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::wstring text;
    for (;;) {
        const size_t end = input.find('\n');
        text += Utf8ToWide(input.substr(0, end));
        if (end == std::string_view::npos) break;
        input.remove_prefix(end + 1);
    }
    ParsePermit(text, RecognitionKind::AccountPermit);
    return 0;
}
