#include "ui/BatchWorker.h"

#include "ui/MainWindowMessages.h"

namespace {

void Send(RecognitionWorker& worker, std::unique_ptr<RecognitionResult> result, size_t index) {
    PictureDone done{worker.pictureQueue[index], index, worker.pictureQueue.size()};
    SendMessageW(worker.mainWindow, WM_OCR_FILE_DONE, reinterpret_cast<WPARAM>(result.get()),
                 reinterpret_cast<LPARAM>(&done));
}

void RunIdCardPair(RecognitionWorker& worker) {
    const std::vector<std::string>& queue = worker.pictureQueue;
    auto front = worker.Recognise(queue.front(), RecognitionKind::IdCardFront);
    if (front && queue.size() > 1) {
        if (auto back = worker.Recognise(queue[1], RecognitionKind::IdCardBack)) {
            front->lines.insert(front->lines.end(), back->lines.begin(), back->lines.end());
        }
    }
    Send(worker, std::move(front), queue.size() - 1);
}

void Run(RecognitionWorker& worker) {
    if (!IsWindow(worker.mainWindow) || worker.pictureQueue.empty()) return;
    if (worker.runKind == RecognitionKind::IdCardPair) return RunIdCardPair(worker);
    for (size_t index = 0; index < worker.pictureQueue.size(); ++index) {
        auto result = worker.Recognise(worker.pictureQueue[index], worker.runKind);
        const bool failed = !result;
        Send(worker, std::move(result), index);
        if (failed) return;
    }
}

DWORD WINAPI ThreadMain(void* parameter) {
    std::unique_ptr<std::shared_ptr<RecognitionWorker>> worker(
        static_cast<std::shared_ptr<RecognitionWorker>*>(parameter));
    Run(**worker);
    return 0;
}

}  // namespace

BatchWorker::BatchWorker(RecognitionServices services)
    : worker_(std::make_shared<RecognitionWorker>(std::move(services))) {}

bool BatchWorker::Running() const {
    return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

bool BatchWorker::Start(std::vector<std::string> queue, RecognitionKind kind) {
    if (!IsWindow(worker_->mainWindow) || Running()) return false;
    worker_->errorKey = MessageKey();
    worker_->pictureQueue = std::move(queue);
    worker_->runKind = kind;
    auto reference = std::make_unique<std::shared_ptr<RecognitionWorker>>(worker_);
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, reference.get(), 0, nullptr));
    if (!thread_) return false;
    reference.release();  // the thread owns it now
    return true;
}
