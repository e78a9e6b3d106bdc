#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ocr/RecognitionKind.h"

// How sure the service is of one line of general text.
struct LineProbability {
    double average = 0;
    double min = 0;
    double variance = 0;
};

// Where one line of general text lies in the picture, in pixels.
struct LineLocation {
    int32_t height = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
};

// What one picture was recognised as.
struct RecognitionResult {
    int32_t direction = 0;  // general text only
    uint64_t logId = 0;
    int32_t wordCount = 0;  // all kinds but tables
    int32_t language = 0;   // general text only
    // One per recognised line (general text) or labelled field (cards).
    std::vector<std::wstring> lines;
    // Only for lines whose answer carried them, so they may be fewer than lines.
    std::vector<LineProbability> probabilities;
    std::vector<LineLocation> locations;
    // The downloaded spreadsheet of a table, a UTF-8 path.
    std::string spreadsheetPath;
    // Identity cards: the service's verdict on the picture, as sent.
    std::string imageStatus;
    std::string riskType;
    std::string editTool;
    // Bank cards: the number exactly as sent, the bank's name, the card type.
    std::string bankCardNumber;
    std::wstring bankName;
    int32_t bankCardType = 0;
    // The kind of the request; FormTable after a spreadsheet download and
    // LocalText for a result of the local engine.
    RecognitionKind kind = RecognitionKind::LocalText;
};
