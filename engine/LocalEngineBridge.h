#pragma once

#include <string>

#include "engine/ClipboardSnapshot.h"

// Runs the local recognition engine, a program of its own installed as
// "recognition\ZOZID32.dll" beside the executable, on one picture: the
// picture is handed over as a grey BMP, the text comes back on the clipboard
// in the engine's private format. What the user had on the clipboard is saved
// before the engine starts and put back once the engine's block is read.
// Lives for one recognition; destroying the bridge ends any engine process
// still running.
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
    // engine's 5 seconds. When the engine wrote to the clipboard, what the
    // user had there comes back in place of the engine's block.
    bool Recognise(const std::wstring& picturePath, std::wstring& text);

private:
    std::wstring enginePath_;
    std::wstring inputPath_;
    // What the user had on the clipboard before the last engine started.
    ClipboardSnapshot userClipboard_;

    // Ends every engine process; an engine that wrote after its result was
    // read leaves no block behind either.
    void EndEngines();

    // Starts the engine on the input picture and waits for it; false when it
    // could not be started.
    bool RunEngine() const;
};
