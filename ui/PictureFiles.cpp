#include "ui/PictureFiles.h"

#include <cwctype>

#include "common/FileSystem.h"

namespace {

bool EndsWithNoCase(std::wstring_view text, std::wstring_view ending) {
    if (text.size() < ending.size()) return false;
    const std::wstring_view tail = text.substr(text.size() - ending.size());
    for (size_t i = 0; i < ending.size(); ++i) {
        if (std::towlower(tail[i]) != ending[i]) return false;
    }
    return true;
}

}  // namespace

bool IsPictureFile(std::wstring_view path) {
    for (std::wstring_view extension : {L".png", L".jpg", L".jpeg", L".bmp"}) {
        if (EndsWithNoCase(path, extension)) return true;
    }
    return false;
}

std::vector<std::wstring> ChosenFiles(const wchar_t* buffer) {
    std::vector<std::wstring> files;
    if (!buffer || !*buffer) return files;
    const std::wstring first = buffer;
    const wchar_t* name = buffer + first.size() + 1;
    if (!*name) {
        // A single choice is the whole path.
        if (first.size() <= kMaxPicturePath) files.push_back(first);
        return files;
    }
    for (; *name; name += std::wcslen(name) + 1) {
        std::wstring path = JoinPath(first, name);
        if (path.size() <= kMaxPicturePath) files.push_back(std::move(path));
    }
    return files;
}
