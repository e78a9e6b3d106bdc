#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The clipboard held open by a message-only window of this thread while this
// lives: blocks set through a window stay on the clipboard after it closes.
// Another program may hold the clipboard open for a moment (a clipboard
// manager reading what was just copied), so it is asked again for up to
// 250 ms.
class OpenedClipboard {
public:
    OpenedClipboard();
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    explicit operator bool() const { return open_; }

private:
    HWND owner_;
    bool open_;
};

// A copy of what the user has on the clipboard in the formats worth keeping:
// Unicode and ANSI text, pictures as DIB and DIB version 5, and file lists.
// Other formats are not kept.
class ClipboardSnapshot {
public:
    // Empty: putting it back leaves an empty clipboard.
    ClipboardSnapshot() = default;

    // Copies the kept formats on the clipboard now; empty when the clipboard
    // stays busy.
    static ClipboardSnapshot Take();

    // Replaces everything on the open clipboard with the copies, in the order
    // they were found. The copies stay, so it can be put back again.
    void PutBack(const OpenedClipboard& clipboard) const;

private:
    struct Block {
        UINT format;
        std::string bytes;
    };
    std::vector<Block> blocks_;
};
