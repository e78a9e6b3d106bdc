#include "platform/servers/ocr/ApiErrors.h"

namespace pimlo::servers {

const char* ApiErrorMessage(int64_t code) {
    switch (code) {
        case kUnsupportedMethod:
            return "Unsupported openapi method";
        case kDailyLimitReached:
            return "Open api daily request limit reached";
        case kInvalidToken:
            return "Access token invalid or no longer valid";
        case kExpiredToken:
            return "Access token expired";
        case kInvalidParameter:
            return "invalid param";
        case kMissingParameter:
            return "not enough param";
        case kEmptyImage:
            return "empty image";
        case kImageFormatError:
            return "image format error";
        case kImageSizeError:
            return "image size error";
        case kRecognizeError:
            return "recognize error";
        case kBankCardError:
            return "recognize bank card error";
        case kInternalError:
            return "internal error";
        case kRequestIdNotExist:
            return "request id not exist";
        case kResultTypeError:
            return "result type error";
        case kTableRecognizeError:
            return "image recognize error";
        default:
            return "error";
    }
}

Json::Value ErrorAnswer(int64_t code, uint64_t logId) {
    Json::Value answer(Json::objectValue);
    answer["error_code"] = Json::Int64(code);
    answer["error_msg"] = ApiErrorMessage(code);
    answer["log_id"] = Json::UInt64(logId);
    return answer;
}

}  // namespace pimlo::servers
