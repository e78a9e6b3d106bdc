#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Win32Handles.h"
#include "ocr/RecognitionWorker.h"

// What the worker reports for each picture with WM_OCR_FILE_DONE (lParam;
// wParam is the RecognitionResult or null). Both live until the send returns.
struct PictureDone {
    std::string path;  // UTF-8
    size_t index;      // its place in the run's queue
    size_t count;      // the pictures of the run: the last one ends it
};

// Runs one batch at a time on a thread of its own: recognises the queued
// pictures in order and sends each result to the main window, stopping at
// the first failure. An identity-card run recognises the front, then the
// back, and sends one result with both sides' fields.
class BatchWorker {
public:
    explicit BatchWorker(RecognitionServices services = DefaultRecognitionServices());

    RecognitionWorker& Recognition() { return *worker_; }

    // Starts a run; false when the main window is gone or the previous run
    // is still going.
    bool Start(std::vector<std::string> queue, RecognitionKind kind);
    bool Running() const;

private:
    // Shared with the thread, which may outlive this object when the window
    // closes during a run: it then finishes with its own reference, and its
    // sends to the gone window do nothing.
    std::shared_ptr<RecognitionWorker> worker_;
    KernelHandle thread_;
};
