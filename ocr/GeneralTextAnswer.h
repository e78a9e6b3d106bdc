#pragma once

#include <json/json.h>

#include "ocr/RecognitionResult.h"

// Reads the lines of a general-text answer into result: one line per element
// of "words_result" (empty texts included), its probability and location when
// the element has them, and the answer's direction and language. Throws the
// JSON library's exception when a member has the wrong shape.
void ReadGeneralText(const Json::Value& answer, RecognitionResult& result);

// The member "words_result" as an array: an array, or null when it is
// missing. Any other value throws the JSON library's exception, as reading
// it element by element would.
const Json::Value& WordsResultArray(const Json::Value& answer);
