#pragma once

#include <string>

// Runs the local recognition engine, a program of its own installed as
// "recognition\ZOZID32.dll" beside the executable, on one picture: the
// picture is handed over as a grey BMP, the text comes back on the clipboard
// in the engine's private format. Lives for one recognition; destroying the
// bridge ends any engine process still running.
class LocalEngineBridge {
public:
    // installFolder holds the engine; dataFolder receives its input "tmp.bmp".
    LocalEngineBridge(const std::wstring& installFolder, const std::wstring& dataFolder);
    ~LocalEngineBridge();
    LocalEngineBridge(const LocalEngineBridge&) = delete;
    LocalEngineBridge& operator=(const LocalEngineBridge&) = delete;

    bool EngineAvailable() const;

    // Recognises the picture; false (and no text) when the input can not be
    // prepared, the engine can not be started, or no text arrived within the
    // engine's 5 seconds. Empties the clipboard when the engine wrote to it.
    bool Recognise(const std::wstring& picturePath, std::wstring& text);

private:
    std::wstring enginePath_;
    std::wstring inputPath_;

    // Starts the engine on the input picture and waits for it; false when it
    // could not be started.
    bool RunEngine() const;
};
