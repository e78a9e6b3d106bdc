#include "capture/ScreenCutFiles.h"

#include "common/FileSystem.h"

std::wstring NextScreenCutPath(const std::wstring& folder) {
    std::wstring path = JoinPath(folder, L"screen_cutting.jpg");
    for (unsigned number = 1; PathExists(path); ++number)
        path = JoinPath(folder, L"screen_cutting" + std::to_wstring(number) + L".jpg");
    return path;
}
