#pragma once
// The cloud OCR API's error answers: {"error_code": n, "error_msg": text,
// "log_id": id}, with the codes and texts its clients know.

#include <json/value.h>

#include <cstdint>

namespace pimlo::servers {

enum ApiError : int64_t {
    kUnsupportedMethod = 3,         // no such path, or the wrong HTTP method
    kDailyLimitReached = 17,        // the application's requests of the day are used up
    kInvalidToken = 110,            // access token missing, unknown or revoked
    kExpiredToken = 111,            // access token past its lifetime
    kInvalidParameter = 216100,     // a parameter has a value the endpoint does not take
    kMissingParameter = 216101,     // a required parameter is absent
    kEmptyImage = 216200,           // "image" is present but holds nothing
    kImageFormatError = 216201,     // not Base64, or not a picture format we decode
    kImageSizeError = 216202,       // too many bytes, or sides out of range
    kRecognizeError = 216630,       // nothing of the asked kind was found
    kBankCardError = 216631,        // no card number on the picture
    kInternalError = 282000,        // the recogniser failed
    kRequestIdNotExist = 282808,    // a table request id we never gave
    kResultTypeError = 282809,      // result_type neither "excel" nor "json"
    kTableRecognizeError = 282810,  // a table that could not be built
};

// The service's text for a code; a code we have no text for (a scripted one)
// gets a generic text.
const char* ApiErrorMessage(int64_t code);

Json::Value ErrorAnswer(int64_t code, uint64_t logId);

}  // namespace pimlo::servers
