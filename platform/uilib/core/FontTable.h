#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "common/Win32Handles.h"

// A window's fonts: the numbered fonts of its layouts and fonts asked for by
// face and size, created at the window's scale and deleted with the table.
class FontTable {
public:
    FontTable() = default;
    FontTable(const FontTable&) = delete;
    FontTable& operator=(const FontTable&) = delete;

    void Add(int id, const std::wstring& face, int size, bool bold, bool underline, bool italic,
             bool isDefault);
    // Index -1 or unknown: the default font (the one marked default, else the
    // first added, else the system's message font).
    HFONT Get(int id, int dpi);
    HFONT Get(const std::wstring& face, int size, bool bold, bool underline, bool italic, int dpi);
    TEXTMETRIC Metrics(HFONT font);
    // Forgets every created font, for a new scale.
    void Reset();

private:
    struct Description {
        std::wstring face;
        int size = 12;
        bool bold = false;
        bool underline = false;
        bool italic = false;
    };
    using Key = std::tuple<std::wstring, int, bool, bool, bool, int>;

    HFONT Create(const Description& description, int dpi);

    std::map<int, Description> numbered_;
    int defaultId_ = -1;
    std::map<Key, GdiObject<HFONT>> created_;
    std::map<HFONT, TEXTMETRIC> metrics_;
};
