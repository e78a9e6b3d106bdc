#pragma once
// Where the cloud OCR API serves the token grant and the asynchronous table
// flow, and the parameters those requests carry, as the provider's public
// API reference names them. The recognition endpoints' paths live with
// their answers (EndpointAnswers.cpp).

namespace pimlo::servers {

// OAuth 2.0 client-credentials grant: "grant_type", "client_id" and
// "client_secret", in the query or the form body.
inline constexpr char kTokenPath[] = "/oauth/2.0/token";

// Table recognition, in two requests: the picture is submitted ("image")
// and a request id answered; the result is then asked for by that id until
// it is ready, as a spreadsheet address ("excel", the default) or as JSON
// text ("json").
inline constexpr char kTableRequestPath[] = "/rest/2.0/solution/v1/form_ocr/request";
inline constexpr char kTableResultPath[] = "/rest/2.0/solution/v1/form_ocr/get_request_result";
inline constexpr char kRequestIdField[] = "request_id";
inline constexpr char kResultTypeField[] = "result_type";
inline constexpr char kExcelResult[] = "excel";
inline constexpr char kJsonResult[] = "json";

}  // namespace pimlo::servers
