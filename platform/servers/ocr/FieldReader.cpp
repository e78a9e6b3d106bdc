#include "platform/servers/ocr/FieldReader.h"

#include <cstdio>

namespace pimlo::servers {

namespace {

// Separators printed or recognised between a label and its value.
bool IsSeparator(const std::string& text, size_t at, size_t* length) {
    static const char* const kSeparators[] = {"\xEF\xBC\x9A" /* ： */, ":", " ", "\t"};
    for (const char* separator : kSeparators) {
        const std::string s(separator);
        if (text.compare(at, s.size(), s) == 0) {
            *length = s.size();
            return true;
        }
    }
    return false;
}

std::string TrimSeparators(const std::string& text) {
    size_t begin = 0, length = 0;
    while (begin < text.size() && IsSeparator(text, begin, &length)) begin += length;
    size_t end = text.size();
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == ':')) --end;
    return text.substr(begin, end - begin);
}

// Where `label` starts in `line` when spaces are ignored, and where it ends;
// false when it is not there.
bool FindIgnoringSpaces(const std::string& line, const std::string& label, size_t* begin,
                        size_t* end) {
    for (size_t start = 0; start < line.size(); ++start) {
        if (line[start] == ' ') continue;
        size_t at = start, matched = 0;
        while (matched < label.size() && at < line.size()) {
            if (line[at] == ' ') {
                ++at;
            } else if (line[at] == label[matched]) {
                ++at;
                ++matched;
            } else {
                break;
            }
        }
        if (matched == label.size()) {
            *begin = start;
            *end = at;
            return true;
        }
    }
    return false;
}

std::string FirstMatch(const std::string& line, const std::regex& pattern) {
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) return {};
    return match.size() > 1 ? match[1].str() : match[0].str();
}

}  // namespace

FieldReader::FieldReader(std::vector<std::string> lines, std::vector<std::string> labels)
    : lines_(std::move(lines)), labels_(std::move(labels)) {}

std::string FieldReader::ValueAfter(const std::string& label) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        size_t begin = 0, end = 0;
        if (!FindIgnoringSpaces(lines_[i], label, &begin, &end)) continue;
        std::string rest = lines_[i].substr(end);
        // The value stops where another label starts.
        for (const std::string& other : labels_) {
            size_t otherBegin = 0, otherEnd = 0;
            if (other != label && FindIgnoringSpaces(rest, other, &otherBegin, &otherEnd))
                rest.resize(otherBegin);
        }
        std::string value = TrimSeparators(rest);
        if (value.empty() && rest.size() == lines_[i].size() - end && i + 1 < lines_.size()) {
            // The label ends its line: the value is printed below it, unless
            // that line starts with a label of its own.
            bool nextIsLabelled = false;
            for (const std::string& other : labels_) {
                size_t b = 0, e = 0;
                if (FindIgnoringSpaces(lines_[i + 1], other, &b, &e) && b == 0)
                    nextIsLabelled = true;
            }
            if (!nextIsLabelled) value = TrimSeparators(lines_[i + 1]);
        }
        return value;
    }
    return {};
}

std::string FieldReader::Find(const std::string& pattern) const {
    const std::regex compiled(pattern);
    for (const std::string& line : lines_) {
        std::string found = FirstMatch(line, compiled);
        if (!found.empty()) return found;
    }
    return {};
}

std::string FieldReader::Read(const FieldRule& rule) const {
    for (const std::string& label : rule.labels) {
        std::string value = ValueAfter(label);
        if (!value.empty()) return value;
    }
    return rule.pattern.empty() ? std::string() : Find(rule.pattern);
}

int FieldReader::CountLabels(const std::vector<std::string>& labels) const {
    int count = 0;
    for (const std::string& label : labels) {
        for (const std::string& line : lines_) {
            size_t begin = 0, end = 0;
            if (FindIgnoringSpaces(line, label, &begin, &end)) {
                ++count;
                break;
            }
        }
    }
    return count;
}

std::vector<std::string> LabelsOf(const std::vector<FieldRule>& rules) {
    std::vector<std::string> labels;
    for (const FieldRule& rule : rules)
        labels.insert(labels.end(), rule.labels.begin(), rule.labels.end());
    return labels;
}

Json::Value FieldObjects(const FieldReader& reader, const std::vector<FieldRule>& rules) {
    Json::Value fields(Json::objectValue);
    for (const FieldRule& rule : rules) fields[rule.name]["words"] = reader.Read(rule);
    return fields;
}

std::string CompactDate(const std::string& text) {
    static const std::regex kDate(
        R"((\d{4})\s*(?:年|[./-])\s*(\d{1,2})\s*(?:月|[./-])\s*(\d{1,2}))");
    std::smatch match;
    if (!std::regex_search(text, match, kDate)) return text;
    char date[16];
    std::snprintf(date, sizeof(date), "%s%02d%02d", match[1].str().c_str(), std::stoi(match[2]),
                  std::stoi(match[3]));
    return date;
}

}  // namespace pimlo::servers
