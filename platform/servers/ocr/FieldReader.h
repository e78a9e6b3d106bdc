#pragma once
// Labelled values on recognised lines, the way a card or licence prints
// them: a label, then its value on the same line or, when the label ends the
// line, on the next one. Labels are matched without regard to spaces, as the
// recogniser may split a label into several words.

#include <json/value.h>

#include <regex>
#include <string>
#include <vector>

namespace pimlo::servers {

struct FieldRule {
    std::string name;                 // the answer's member name
    std::vector<std::string> labels;  // printed labels, any of which announces the value
    // When no label announces the value: the first match on any line (group
    // 1 when the pattern has a group, else the whole match). Empty: none.
    std::string pattern;
};

class FieldReader {
public:
    // `labels` are every label printed on the document: a value ends where
    // another label starts ("性别 男 民族 汉" gives 男 for 性别).
    FieldReader(std::vector<std::string> lines, std::vector<std::string> labels);

    // The value of the rule, or an empty string when the lines do not hold it.
    std::string Read(const FieldRule& rule) const;
    // The first match of `pattern` on any line (group 1 when it has one).
    std::string Find(const std::string& pattern) const;
    // How many of `labels` appear on the lines.
    int CountLabels(const std::vector<std::string>& labels) const;

private:
    std::string ValueAfter(const std::string& label) const;

    std::vector<std::string> lines_;
    std::vector<std::string> labels_;
};

// The labels of every rule, for FieldReader.
std::vector<std::string> LabelsOf(const std::vector<FieldRule>& rules);

// {"<name>": {"words": value}} for every rule, values read by `reader`.
Json::Value FieldObjects(const FieldReader& reader, const std::vector<FieldRule>& rules);

// A printed date ("1990年1月2日", "1990.01.02", "1990-1-2") as the provider
// writes dates: "19900102". Text that holds no such date is returned as it is.
std::string CompactDate(const std::string& text);

}  // namespace pimlo::servers
