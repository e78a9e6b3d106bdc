#include "platform/uilib/render/LabelMarkup.h"

#include <cwctype>

#include "platform/uilib/core/AttributeValues.h"

namespace {

struct Style {
    int fontIndex = -1;
    std::wstring fontFace;
    int fontSize = 0;
    DWORD color = 0;
};

std::wstring_view TrimSpaces(std::wstring_view text) {
    while (!text.empty() && iswspace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && iswspace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsNumber(std::wstring_view text) {
    if (text.empty()) {
        return false;
    }
    for (wchar_t c : text) {
        if (!iswdigit(c)) {
            return false;
        }
    }
    return true;
}

class MarkupParser {
public:
    std::vector<MarkupRun> Parse(std::wstring_view markup) {
        size_t i = 0;
        while (i < markup.size()) {
            wchar_t c = markup[i];
            if (c == L'{' && i + 1 < markup.size() && markup[i + 1] == L'{') {
                pending_ += L'{';
                i += 2;
                continue;
            }
            size_t close = c == L'{' ? markup.find(L'}', i) : std::wstring_view::npos;
            if (close != std::wstring_view::npos && ApplyTag(markup.substr(i + 1, close - i - 1))) {
                i = close + 1;
                continue;
            }
            pending_ += c;
            ++i;
        }
        Flush();
        return std::move(runs_);
    }

private:
    // A tag changes the style or adds a run; false when it is no tag.
    bool ApplyTag(std::wstring_view tag) {
        if (tag == L"/f") {
            return PopStyle();
        }
        if (tag == L"/c") {
            return PopStyle();
        }
        if (tag == L"n") {
            Flush();
            MarkupRun run;
            run.kind = MarkupRun::LineBreak;
            runs_.push_back(run);
            return true;
        }
        if (tag.size() < 3 || tag[1] != L' ') {
            return false;
        }
        std::wstring_view argument = TrimSpaces(tag.substr(2));
        switch (tag[0]) {
            case L'f':
                return PushFont(argument);
            case L'c': {
                Flush();
                Style style = CurrentStyle();
                style.color = ParseColor(argument);
                styles_.push_back(style);
                return true;
            }
            case L'x': {
                if (!IsNumber(argument)) {
                    return false;
                }
                Flush();
                MarkupRun run;
                run.kind = MarkupRun::Space;
                run.space = ParseInt(argument);
                runs_.push_back(run);
                return true;
            }
            case L'i': {
                Flush();
                MarkupRun run;
                run.kind = MarkupRun::Image;
                run.text = std::wstring(argument);
                runs_.push_back(run);
                return true;
            }
            default:
                return false;
        }
    }

    bool PushFont(std::wstring_view argument) {
        Style style = CurrentStyle();
        if (IsNumber(argument)) {
            style.fontIndex = ParseInt(argument);
            style.fontFace.clear();
        } else {
            size_t lastSpace = argument.find_last_of(L' ');
            if (lastSpace == std::wstring_view::npos || !IsNumber(argument.substr(lastSpace + 1))) {
                return false;
            }
            style.fontFace = std::wstring(TrimSpaces(argument.substr(0, lastSpace)));
            style.fontSize = ParseInt(argument.substr(lastSpace + 1));
            style.fontIndex = -1;
        }
        Flush();
        styles_.push_back(style);
        return true;
    }

    bool PopStyle() {
        if (styles_.empty()) {
            return false;
        }
        Flush();
        styles_.pop_back();
        return true;
    }

    Style CurrentStyle() const { return styles_.empty() ? Style{} : styles_.back(); }

    void Flush() {
        if (pending_.empty()) {
            return;
        }
        Style style = CurrentStyle();
        MarkupRun run;
        run.text = std::move(pending_);
        run.fontIndex = style.fontIndex;
        run.fontFace = style.fontFace;
        run.fontSize = style.fontSize;
        run.color = style.color;
        runs_.push_back(std::move(run));
        pending_.clear();
    }

    std::vector<MarkupRun> runs_;
    std::vector<Style> styles_;
    std::wstring pending_;
};

}  // namespace

std::vector<MarkupRun> ParseLabelMarkup(std::wstring_view markup) {
    return MarkupParser().Parse(markup);
}
