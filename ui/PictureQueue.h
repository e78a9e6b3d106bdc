#pragma once

#include <map>
#include <string>
#include <vector>

// The pictures the user has brought in, in the order they were added
// (duplicates allowed), and the file written for each during a run. Paths are
// UTF-8, so that every name the file system allows survives the trip to the
// recognition worker.
class PictureQueue {
public:
    // Queues a picture, or its shrunk copy when large pictures are shrunk
    // and it is larger than the settings allow.
    void Add(const std::wstring& path);
    // Empties the queue and the results.
    void Clear();

    bool Empty() const { return paths_.empty(); }
    size_t Size() const { return paths_.size(); }
    const std::vector<std::string>& Paths() const { return paths_; }
    // The picture's file name, for the add-picture panel.
    std::wstring FileName(size_t index) const;

    // The file written for a picture of the run (a text or a spreadsheet).
    void SetResult(const std::string& path, std::wstring file) { results_[path] = std::move(file); }
    // Empty when nothing was written for the picture.
    std::wstring ResultFor(const std::string& path) const;

private:
    std::vector<std::string> paths_;
    std::map<std::string, std::wstring> results_;
};
