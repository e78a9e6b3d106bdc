#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/uilib/UIExport.h"

// The small markup of labels with SetShowHtml:
//   {f n}text{/f}            text in the window's font n
//   {f face size}text{/f}    text in that face at that size
//   {c #AARRGGBB}text{/c}    text in that colour
//   {x n}                    n pixels (layout units) of space
//   {i file}                 an inline image (image attribute syntax allowed)
//   {n}                      a line break
// "{{" stands for a literal "{". Unknown or unclosed tags are shown as text.
struct MarkupRun {
    enum Kind { Text, Space, Image, LineBreak };
    Kind kind = Text;
    std::wstring text;      // Text: the characters; Image: the image value
    int space = 0;          // Space: layout units
    int fontIndex = -1;     // -1: the label's own font
    std::wstring fontFace;  // non-empty for {f face size}
    int fontSize = 0;
    DWORD color = 0;  // 0: the label's own colour
};

UILIB_API std::vector<MarkupRun> ParseLabelMarkup(std::wstring_view markup);
