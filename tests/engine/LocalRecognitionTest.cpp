// General text through the local engine, and back to the cloud when it fails.
#include <gmock/gmock.h>

#include "tests/engine/EngineTestSupport.h"
#include "tests/ocr/RecognitionTestSupport.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LocalRecognitionTest : public RecognitionTest {
protected:
    LocalRecognitionTest() {
        engineInstallFolder_ = install_.Path();
        WritePicture(picture_, {Gdiplus::Color(0, 0, 0), Gdiplus::Color(255, 255, 255)});
    }
    ~LocalRecognitionTest() override { EndStrayEngines(); }

    GdiplusSession gdiplus_;
    TempFolder install_;
    std::wstring picture_ = folder_.File(L"line.png");
};

TEST_F(LocalRecognitionTest, TheEnginesTextIsTheOnlyLineAndNothingIsSent) {
    InstallEngineDouble(install_.Path(), L"engine_double_writer", L"本地文字");

    auto result = WorkerFor(RecognitionKind::LocalText)
                      .Recognise(WideToUtf8(picture_), RecognitionKind::LocalText);

    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines, ElementsAre(L"本地文字"));
    EXPECT_EQ(result->kind, RecognitionKind::LocalText);
    EXPECT_THAT(server_.Requests(), IsEmpty());
}

TEST_F(LocalRecognitionTest, ASlowEngineFallsBackToTheCloud) {
    InstallEngineDouble(install_.Path(), L"engine_double_slow", L"too late");
    server_.AnswerJson(TokenAnswer("token"));
    server_.AnswerJson(R"({"words_result_num":1,"words_result":[{"words":"cloud"}]})");

    auto result = WorkerFor(RecognitionKind::LocalText)
                      .Recognise(WideToUtf8(picture_), RecognitionKind::LocalText);

    ASSERT_NE(result, nullptr);
    EXPECT_THAT(result->lines, ElementsAre(L"cloud"));
    EXPECT_EQ(server_.CountFor("/rest/2.0/ocr/v1/general_basic"), 1u);
    // The bridge is gone before the cloud is asked, and the slow engine with it.
    EXPECT_EQ(EngineProcessCount(), 0);
}

}  // namespace
