#include "ui/PictureQueue.h"

#include "common/StringConversion.h"

void PictureQueue::Add(const std::wstring& path) { paths_.push_back(WideToUtf8(path)); }

void PictureQueue::Clear() {
    paths_.clear();
    results_.clear();
}

std::wstring PictureQueue::FileName(size_t index) const {
    if (index >= paths_.size()) return {};
    const std::wstring path = Utf8ToWide(paths_[index]);
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}
