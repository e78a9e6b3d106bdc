#include "app/AppSettings.h"

#include "app/ProfileFile.h"
#include "common/FileSystem.h"

namespace {

constexpr wchar_t kGeneralSection[] = L"General";
constexpr wchar_t kSavePathKey[] = L"SavePath";
// Room of the save folder with its terminating zero.
constexpr size_t kSavePathCapacity = 260;

struct SettingEntry {
    Setting setting;
    const wchar_t* key;
    int32_t defaultValue;
};

// In the order they are loaded; SavePath is read right after CanUpdate.
constexpr SettingEntry kSettings[] = {
    {Setting::CanUpdate, L"CanUpdate", 1},
    {Setting::HideWhenClose, L"HideWhenClose", 1},
    {Setting::RemindWhenClose, L"RemindWhenClose", 1},
    {Setting::RemindWhenCopy, L"RemindWhenCopy", 1},
    {Setting::CompressedSizeLimit, L"CompressedSizeLimit", 0},
    // F4 (virtual key 0x73) in the high word, no modifiers.
    {Setting::HotKey, L"HotKey", 0x00730000},
    {Setting::MaxImageSize, L"MaxImageSize", 4096},
    {Setting::UseHighQuality, L"UseHighQuality", 1},
    {Setting::RemindMergeBatch, L"RemindMergeBatch", 1},
};

const SettingEntry& EntryOf(Setting setting) {
    for (const SettingEntry& entry : kSettings) {
        if (entry.setting == setting) {
            return entry;
        }
    }
    return kSettings[0];
}

size_t IndexOf(Setting setting) { return static_cast<size_t>(setting); }

}  // namespace

void AppSettings::Load(std::wstring settingsFile, const std::wstring& defaultSaveFolder) {
    settingsFile_ = std::move(settingsFile);
    for (const SettingEntry& entry : kSettings) {
        values_[IndexOf(entry.setting)] =
            ReadProfileInteger(settingsFile_, kGeneralSection, entry.key, entry.defaultValue);
        if (entry.setting == Setting::CanUpdate) {
            std::wstring savePath = ReadProfileText(settingsFile_, kGeneralSection, kSavePathKey,
                                                    defaultSaveFolder, kSavePathCapacity);
            // A folder that can not be created stays as read; the settings
            // dialog refuses to store one that does not exist.
            if (!savePath.empty() && !FolderExists(savePath)) {
                CreateFolderTree(savePath);
            }
            std::lock_guard<std::mutex> lock(savePathMutex_);
            savePath_ = std::move(savePath);
        }
    }
}

int32_t AppSettings::Get(Setting setting) const { return values_[IndexOf(setting)]; }

void AppSettings::Set(Setting setting, int32_t value) {
    values_[IndexOf(setting)] = value;
    WriteProfileInteger(settingsFile_, kGeneralSection, EntryOf(setting).key, value);
}

std::wstring AppSettings::SavePath() const {
    std::lock_guard<std::mutex> lock(savePathMutex_);
    return savePath_;
}

void AppSettings::SetSavePath(std::wstring path) {
    WriteProfileText(settingsFile_, kGeneralSection, kSavePathKey, path);
    std::lock_guard<std::mutex> lock(savePathMutex_);
    savePath_ = std::move(path);
}

int32_t AppSettings::ReadInteger(const wchar_t* section, const wchar_t* key,
                                 int32_t defaultValue) const {
    return ReadProfileInteger(settingsFile_, section, key, defaultValue);
}

void AppSettings::WriteInteger(const wchar_t* section, const wchar_t* key, int32_t value) const {
    WriteProfileInteger(settingsFile_, section, key, value);
}

AppSettings& CurrentSettings() {
    static AppSettings settings;
    return settings;
}
