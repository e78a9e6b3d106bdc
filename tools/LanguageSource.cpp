#include "tools/LanguageSource.h"

#include <set>

#include "common/StringConversion.h"

namespace {

// Stream names of a compound file hold at most 31 characters and none of these.
constexpr size_t kMaxStreamName = 31;
constexpr std::wstring_view kStreamNameForbidden = L"\\/:!";

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::wstring_view Trim(std::wstring_view text) {
    const size_t begin = text.find_first_not_of(L" \t");
    if (begin == std::wstring_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(L" \t") - begin + 1);
}

bool Unescape(std::wstring_view text, std::wstring& value) {
    value.clear();
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != L'\\') {
            value += text[at];
            continue;
        }
        const wchar_t escaped = ++at < text.size() ? text[at] : L'\0';
        switch (escaped) {
            case L'n':
                value += L'\n';
                break;
            case L't':
                value += L'\t';
                break;
            case L'\\':
                value += L'\\';
                break;
            default:
                return false;
        }
    }
    return true;
}

bool IsStreamName(std::wstring_view name) {
    return !name.empty() && name.size() <= kMaxStreamName &&
           name.find_first_of(kStreamNameForbidden) == std::wstring_view::npos;
}

class SourceParser {
public:
    ParsedLanguageSource Parse(std::string_view utf8) {
        if (utf8.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
            utf8.remove_prefix(kUtf8ByteOrderMark.size());
        }
        size_t lineNumber = 0;
        while (!utf8.empty()) {
            const size_t end = utf8.find('\n');
            std::string_view line = utf8.substr(0, end);
            utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            ++lineNumber;
            ParseLine(line, lineNumber);
        }
        return std::move(result_);
    }

private:
    void Fail(size_t lineNumber, const std::string& message) {
        result_.errors.push_back("line " + std::to_string(lineNumber) + ": " + message);
    }

    void ParseLine(std::string_view utf8Line, size_t lineNumber) {
        const std::wstring wideLine = Utf8ToWide(utf8Line);
        if (wideLine.empty() && !utf8Line.empty()) {
            Fail(lineNumber, "not UTF-8 text");
            return;
        }
        const std::wstring_view line = Trim(wideLine);
        if (line.empty() || line.front() == L'#' || line.front() == L';') {
            return;
        }
        if (line.front() == L'[' && line.back() == L']') {
            StartSection(Trim(line.substr(1, line.size() - 2)), lineNumber);
        } else {
            AddEntry(wideLine, lineNumber);
        }
    }

    void StartSection(std::wstring_view name, size_t lineNumber) {
        if (!IsStreamName(name)) {
            Fail(lineNumber, "a section name has 1 to 31 characters and none of \\ / : !");
        } else if (!sectionNames_.insert(std::wstring(name)).second) {
            Fail(lineNumber, "section [" + WideToUtf8(name) + "] appears twice");
        }
        result_.source.sections.push_back({std::wstring(name), {}});
        keys_.clear();
    }

    void AddEntry(std::wstring_view line, size_t lineNumber) {
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            Fail(lineNumber, "expected [Section] or key=value");
            return;
        }
        if (result_.source.sections.empty()) {
            Fail(lineNumber, "key=value before the first [Section]");
            return;
        }
        LanguageEntry entry;
        entry.key = Trim(line.substr(0, equals));
        if (entry.key.empty()) {
            Fail(lineNumber, "empty key");
            return;
        }
        if (!Unescape(line.substr(equals + 1), entry.value)) {
            Fail(lineNumber, "unknown escape in the value of " + WideToUtf8(entry.key) +
                                 " (known: \\n \\t \\\\)");
            return;
        }
        if (!keys_.insert(entry.key).second) {
            Fail(lineNumber, "key " + WideToUtf8(entry.key) + " appears twice in its section");
            return;
        }
        result_.source.sections.back().entries.push_back(std::move(entry));
    }

    ParsedLanguageSource result_;
    std::set<std::wstring> sectionNames_;
    std::set<std::wstring> keys_;
};

}  // namespace

ParsedLanguageSource ParseLanguageSource(std::string_view utf8) {
    return SourceParser().Parse(utf8);
}
