#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// The integer settings of section "General" of "config.ini".
enum class Setting {
    CanUpdate,            // the daily check may download a new installer (1)
    HideWhenClose,        // the close button hides the window to the tray (1)
    RemindWhenClose,      // ask before the close button acts (1)
    RemindWhenCopy,       // confirm a copy to the clipboard (1)
    CompressedSizeLimit,  // shrink pictures larger than MaxImageSize when queued (0)
    HotKey,               // capture hot key: virtual key << 16 | modifiers, 0 none (F4)
    MaxImageSize,         // pixel limit of the longer picture side (4096)
    UseHighQuality,       // general text by the cloud service (1) or the local engine (0)
    RemindMergeBatch,     // ask whether to merge the texts of a batch (1)
};

// The user's settings, loaded once from "config.ini" and written through to it
// on every change. Only the UI thread changes them; worker threads may read
// the integers at any time.
class AppSettings {
public:
    // Reads every setting from settingsFile, with the defaults for what is
    // missing, and creates the save folder when it does not exist. Writes
    // nothing: the file comes into being with the first change.
    void Load(std::wstring settingsFile, const std::wstring& defaultSaveFolder);

    const std::wstring& SettingsFile() const { return settingsFile_; }

    int32_t Get(Setting setting) const;
    // Updates the setting and writes it to the file at once; a write that
    // fails (read-only file, missing folder) is ignored.
    void Set(Setting setting, int32_t value);

    // The base folder of output folders (at most 259 characters).
    std::wstring SavePath() const;
    // Updates the save folder and writes it unchanged.
    void SetSavePath(std::wstring path);

    // Plain keyed integers of the other sections ("Main", "Count").
    int32_t ReadInteger(const wchar_t* section, const wchar_t* key, int32_t defaultValue) const;
    void WriteInteger(const wchar_t* section, const wchar_t* key, int32_t value) const;

private:
    static constexpr size_t kSettingCount = static_cast<size_t>(Setting::RemindMergeBatch) + 1;

    std::wstring settingsFile_;
    mutable std::mutex savePathMutex_;
    std::wstring savePath_;
    std::atomic<int32_t> values_[kSettingCount] = {};
};

// The settings of the process, loaded at start-up.
AppSettings& CurrentSettings();
