#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "app/LanguageText.h"
#include "app/MessagePresenter.h"
#include "app/ShowMessage.h"
#include "tests/app/AppTestSupport.h"

namespace {

class ShowMessageTest : public testing::Test {
protected:
    ShowMessageTest() {
        WriteLanguageFileOf(folder_.File(L"cn.dat"),
                            {{L"Commodity", L"%s|%s|%s|%s|%s|%s|%s|%s"}, {L"AAK", L"key"}},
                            {{L"Title", L"提示"},
                             {L"CannotBack", L"正在识别"},
                             {L"JsonFormatErr", L"无法解析：%s"},
                             {L"AIPError17", L"次数用完"}});
    }
    TempFolder folder_;
    ScopedLanguageFile language_{folder_.File(L"cn.dat")};
    MessageRecorder recorder_;
};

}  // namespace

TEST_F(ShowMessageTest, ShowsTitleAndBodyWithTheCallersOwnerAndFlags) {
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(ShowMessage(MessageKeys::CannotBack, owner, MB_ICONINFORMATION), IDYES);
    ASSERT_EQ(recorder_.Shown().size(), 1u);
    const MessageRequest shown = recorder_.Shown()[0];
    EXPECT_EQ(shown.owner, owner);
    EXPECT_EQ(shown.caption, L"提示");
    EXPECT_EQ(shown.body, L"正在识别");
    EXPECT_EQ(shown.flags, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(ShowMessageTest, FallbackOnlyReplacesAnEmptyBody) {
    ShowMessage(ServiceErrorKey(17), nullptr, MB_ICONERROR, L"默认");
    ShowMessage(ServiceErrorKey(18), nullptr, MB_ICONERROR, L"默认");
    ShowMessage(MessageKeys::NoIdcardFront, nullptr, MB_ICONINFORMATION);
    const auto shown = recorder_.Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].body, L"次数用完");
    EXPECT_EQ(shown[1].body, L"默认");
    EXPECT_EQ(shown[2].body, L"");  // absent key: caption and an empty body
    EXPECT_EQ(shown[2].caption, L"提示");
}

TEST_F(ShowMessageTest, FormattedMessagesAndTextsFillTheirArguments) {
    ShowFormattedMessage(MessageKeys::JsonFormatErr, L"type error", nullptr, MB_ICONINFORMATION);
    EXPECT_EQ(recorder_.Shown().at(0).body, L"无法解析：type error");
    EXPECT_EQ(FormattedText(TextKeys::Commodity, {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L""}),
              L"a|b|c|d|e|f|g|");
    // The service decides which invoice fields get labels, never the secrets.
    EXPECT_EQ(InvoiceFieldLabel(L"AAK"), L"");
    EXPECT_EQ(InvoiceFieldLabel(L"Commodity"), L"%s|%s|%s|%s|%s|%s|%s|%s");
}

TEST_F(ShowMessageTest, WorkerThreadMessagesReachThePresenter) {
    std::thread worker([] { ShowMessage(MessageKeys::CannotBack, nullptr, MB_ICONINFORMATION); });
    worker.join();
    ASSERT_EQ(recorder_.Shown().size(), 1u);
    EXPECT_EQ(recorder_.Shown()[0].body, L"正在识别");
}

TEST(ShowMessageWithoutLanguageFile, ShowsEmptyTextsAndTheFallback) {
    TempFolder folder;
    ScopedLanguageFile missing(folder.File(L"missing.dat"));
    MessageRecorder recorder;
    ShowMessage(MessageKeys::CannotBack, nullptr, MB_ICONINFORMATION);
    ShowMessage(ServiceErrorKey(4), nullptr, MB_ICONERROR, L"fallback");
    ASSERT_EQ(recorder.Shown().size(), 2u);
    EXPECT_EQ(recorder.Shown()[0].caption, L"");
    EXPECT_EQ(recorder.Shown()[0].body, L"");
    EXPECT_EQ(recorder.Shown()[1].body, L"fallback");
    EXPECT_EQ(Text(TextKeys::AAI), L"");
}
