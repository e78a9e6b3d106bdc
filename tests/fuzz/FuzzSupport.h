#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ocr/OcrClient.h"
#include "ocr/RecognitionWorker.h"
#include "tests/fuzz/standin/ScriptedService.h"

// What the fuzz targets share: inputs made of several answers, and services
// that reach the scripted stand-in of the cloud service instead of a server.

// The line that separates the answers of one input.
inline constexpr std::string_view kAnswerSeparator = "\n----\n";

// The answers of an input in order: the text between separators.
std::vector<std::string> SplitAnswers(std::string_view input);

// A valid answer to the token request.
inline constexpr char kTokenAnswer[] =
    R"({"access_token":"24.fuzz","expires_in":2592000,"scope":"public brain_ocr"})";

// A client of the scripted service, its clock standing still.
std::unique_ptr<OcrClient> ScriptedClient();

// Services whose clients are scripted; there is no local engine, waits return
// at once, and a download succeeds when its address has an even length, so
// that inputs reach both outcomes.
RecognitionServices ScriptedServices(bool useHighQuality);

// The input as a text of UTF-16 units, two little-endian bytes each (an odd
// last byte is dropped), the way language files hold their texts.
std::wstring Utf16Units(std::string_view bytes);
