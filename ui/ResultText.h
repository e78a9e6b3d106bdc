#pragma once

#include <string>

#include "ocr/RecognitionResult.h"

// The text a result shows and saves, by the kind of the run: a bank card's
// name and number, a permit's fields, otherwise every line followed by
// "\r\n". Empty when the result holds no text.
std::wstring DisplayText(const RecognitionResult& result, RecognitionKind runKind);

// The text a run shows, saves and merges for a result: its display text, or
// the language text "OCRNone" when it holds none, so that a picture without
// text still gets its file and its place in a merged text. Only a real text
// becomes currentText, the text that copying takes.
std::wstring TakeResultText(const RecognitionResult& result, RecognitionKind runKind,
                            std::wstring& currentText);

// Writes text as UTF-16 little-endian with one byte-order mark, replacing the
// file. False (and a trace in the log) when it can not be written.
bool SaveTextFile(const std::wstring& path, const std::wstring& text);

// Replaces the file at path with text as SaveTextFile writes it, through a
// new file in the same folder that takes the old one's place only once it is
// whole: whatever fails, the old file stays as it was. False (and a trace in
// the log) when it fails.
bool ReplaceTextFile(const std::wstring& path, const std::wstring& text);

// A text file written by SaveTextFile, without its byte-order mark; empty
// when it can not be read.
std::wstring ReadTextFile(const std::wstring& path);

// The size of the file for the result list: "n 字节" below 1 KiB, "x.xx K"
// below 1 MiB, else "x.xx M"; empty when the file is empty or unreadable.
std::wstring FileSizeText(const std::wstring& path);
