#include "ui/PictureQueue.h"

#include "app/AppFolders.h"
#include "app/AppSettings.h"
#include "app/StartupData.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "ui/PictureShrinking.h"

void PictureQueue::Add(const std::wstring& path) {
    const AppSettings& settings = CurrentSettings();
    std::wstring queued = path;
    if (settings.Get(Setting::CompressedSizeLimit) != 0) {
        queued = ShrunkPictureFor(path, settings.Get(Setting::MaxImageSize),
                                  CompressFolder(CurrentStartupData().folders.tempFolder));
    }
    paths_.push_back(WideToUtf8(queued));
}

std::wstring PictureQueue::ResultFor(const std::string& path) const {
    auto found = results_.find(path);
    return found == results_.end() ? std::wstring() : found->second;
}

void PictureQueue::Clear() {
    paths_.clear();
    results_.clear();
}

std::wstring PictureQueue::FileName(size_t index) const {
    return index < paths_.size() ? FileNameOf(Utf8ToWide(paths_[index])) : std::wstring();
}
