#include <gtest/gtest.h>

#include <memory>

#include "tests/uilib/Canvas.h"
#include "tests/uilib/UiTestSupport.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 24;
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr wchar_t kLongPath[] =
    L"C:\\Users\\someone\\Pictures\\2024\\holiday\\receipts\\scan-0042.png";
// The name with the separator before it, as the cut path draws them side by side.
constexpr wchar_t kFileName[] = L"\\scan-0042.png";

// A label of the given attributes, kWidth wide, drawn on white.
class DrawnLabel {
public:
    DrawnLabel(CPaintManagerUI& manager, const std::wstring& attributes, const wchar_t* text)
        : canvas_(kWidth, kHeight) {
        const std::wstring xml = L"<Label " + attributes + L"/>";
        std::unique_ptr<CControlUI> label(
            CDialogBuilder().Create(xml.c_str(), nullptr, nullptr, &manager));
        RECT paper = {0, 0, kWidth, kHeight};
        HBRUSH white = CreateSolidBrush(kPaper);
        FillRect(canvas_.Dc(), &paper, white);
        DeleteObject(white);
        label->SetManager(&manager, nullptr, false);
        label->SetPos(paper, false);
        label->SetText(text);
        label->PaintText(canvas_.Dc());
    }
    bool Inked(int x) const {
        for (int y = 0; y < kHeight; ++y) {
            if (canvas_.At(x, y) != kPaper) return true;
        }
        return false;
    }
    bool SameColumn(int x, const DrawnLabel& other, int otherX) const {
        for (int y = 0; y < kHeight; ++y) {
            if (canvas_.At(x, y) != other.canvas_.At(otherX, y)) return false;
        }
        return true;
    }
    // True when the inked columns of word appear somewhere in this label.
    bool Shows(const DrawnLabel& word) const {
        int first = 0, last = kWidth - 1;
        while (first < kWidth && !word.Inked(first)) ++first;
        if (first == kWidth) return false;
        while (last > first && !word.Inked(last)) --last;
        for (int offset = -first; offset + last < kWidth; ++offset) {
            int x = first;
            while (x <= last && SameColumn(x + offset, word, x)) ++x;
            if (x > last) return true;
        }
        return false;
    }

private:
    Canvas canvas_;
};

class LabelEllipsisTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseFixtureResources();
        manager_.SetLayoutFolder(L"");
    }
    CPaintManagerUI manager_;
};

// A path too long for its label keeps its file name whole with pathellipsis;
// cut at the end, the name is what gets lost.
TEST_F(LabelEllipsisTest, APathCutInTheMiddleKeepsItsFileName) {
    const struct {
        const wchar_t* attributes;
        bool nameShown;
    } cases[] = {
        {L"pathellipsis='true'", true},
        {L"pathellipsis='true' endellipsis='true'", true},
        {L"endellipsis='true'", false},
    };
    const DrawnLabel name(manager_, L"", kFileName);
    for (const auto& row : cases) {
        SCOPED_TRACE(row.attributes);
        EXPECT_EQ(DrawnLabel(manager_, row.attributes, kLongPath).Shows(name), row.nameShown);
    }
}

}  // namespace
