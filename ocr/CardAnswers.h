#pragma once

#include <json/json.h>

#include "ocr/RecognitionResult.h"

// Readers of the structured answers of the card and licence kinds. Members
// are visited in ascending byte order of their UTF-8 names; a member of the
// wrong shape throws the JSON library's exception.

// One "name：words" line per member of "words_result" (identity cards,
// licences, passports).
void ReadFieldLines(const Json::Value& answer, RecognitionResult& result);

// Keeps the identity card's "image_status", "risk_type" and "edit_tool" and
// throws CStautsException when the status says the picture is unusable.
void CheckIdCardPicture(const Json::Value& answer, RecognitionResult& result);

// The number (bytes as sent), bank name and card type of "result"; no lines.
void ReadBankCard(const Json::Value& answer, RecognitionResult& result);

// The labelled fields of a VAT invoice (only those the language file has a
// label for) followed by one formatted line per row of goods.
void ReadInvoice(const Json::Value& answer, RecognitionResult& result);
