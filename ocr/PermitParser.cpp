#include "ocr/PermitParser.h"

#include <algorithm>

namespace {

// Reads the running text of the permit step by step: each field is looked
// for from where the previous one ended, so that a caption printed twice on
// the form is taken at the right place.
class PermitText {
public:
    explicit PermitText(const std::wstring& text) : text_(text) {}

    // The text between the start and the end caption, searched from the read
    // position; it starts at the start caption itself when keepStart is set.
    // The position moves to the end caption, or back to 0 when a caption is
    // missing (the result is then empty).
    std::wstring Between(const wchar_t* start, const wchar_t* end, bool keepStart = false) {
        return BetweenFrom(start, end, keepStart, position_);
    }

    // As Between, searched from the beginning, leaving the read position alone.
    std::wstring BetweenFromStart(const wchar_t* start, const wchar_t* end) const {
        size_t ownPosition = 0;
        return BetweenFrom(start, end, false, ownPosition);
    }

    // The digits that directly follow caption (searched from the read position).
    std::wstring DigitsAfter(const wchar_t* caption) const {
        const size_t found = text_.find(caption, position_);
        if (found == std::wstring::npos) return {};
        const size_t first = found + std::wstring(caption).size();
        size_t last = first;
        while (last < text_.size() && text_[last] >= L'0' && text_[last] <= L'9') ++last;
        return text_.substr(first, last - first);
    }

private:
    const std::wstring& text_;
    size_t position_ = 0;

    std::wstring BetweenFrom(const wchar_t* start, const wchar_t* end, bool keepStart,
                             size_t& position) const {
        const size_t startAt = text_.find(start, position);
        if (startAt == std::wstring::npos) {
            position = 0;
            return {};
        }
        const size_t begin = keepStart ? startAt : startAt + std::wstring(start).size();
        const size_t endAt = text_.find(end, begin);
        if (endAt == std::wstring::npos) {
            position = 0;
            return {};
        }
        position = endAt;
        return text_.substr(begin, endAt - begin);
    }
};

void AppendLine(std::wstring& out, const wchar_t* caption, const std::wstring& value) {
    out += caption;
    out += value;
    out += L"\r\n";
}

}  // namespace

std::wstring ParsePermit(const std::wstring& text, RecognitionKind kind) {
    if (kind != RecognitionKind::AccountPermit) return {};
    if (text.find(L"开户许可证") == std::wstring::npos) return {};

    PermitText permit(text);
    std::wstring out;

    std::wstring approval = permit.Between(L"核准号:", L"编号:");
    if (approval.empty()) approval = permit.Between(L"开户许可证", L"核准号");
    if (!approval.empty()) AppendLine(out, L"核准号:", approval);

    const std::wstring serial = permit.Between(L"编号:", L"经审核", true);
    if (!serial.empty()) AppendLine(out, L"", serial);

    const std::wstring company = permit.Between(L"经审核,", L"符合开户条件");
    if (!company.empty()) AppendLine(out, L"公司名:", company);

    std::wstring representative = permit.Between(L"(单位负责人)", L"开户银行");
    if (representative.empty())
        representative = permit.BetweenFromStart(L"法定代表人", L"存款账户");
    if (!representative.empty()) AppendLine(out, L"法人:", representative);

    std::wstring bank = permit.Between(L"开户银行", L"账号");
    if (!bank.empty()) {
        // Some forms print the bank's name right after the representative's caption.
        const std::wstring prefix =
            permit.BetweenFromStart(L"法定代表人(单位负责人)", L"开立基本存款账户。");
        if (prefix.size() > 4) bank = prefix + bank;
        AppendLine(out, L"开户银行:", bank);
    }

    const std::wstring account = permit.DigitsAfter(L"账号");
    if (!account.empty()) AppendLine(out, L"账号:", account);

    std::replace(out.begin(), out.end(), L':', L'\uFF1A');
    return out;
}
