#pragma once
// The program's message dialog as the end-to-end tests see it.

#include <string>

#include "app/LanguageFile.h"
#include "app/LanguageText.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/ui/DialogDriver.h"

// Waits for the program's message dialog to show a text, for up to timeoutMs.
inline bool MessageShown(DialogDriver& message, DWORD timeoutMs = 5000) {
    return ProgramSession::WaitFor(
        [&] { return message.WaitForWindow() && !message.Text(L"context").empty(); }, timeoutMs);
}

// A message's text in the language file the program reads.
inline std::wstring MessageBody(const MessageKeyConstant& key) {
    return ReadLanguageValue(LanguageSection::Message, key.name, L"", 2048);
}
