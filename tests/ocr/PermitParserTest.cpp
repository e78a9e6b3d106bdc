#include <gtest/gtest.h>

#include "ocr/PermitParser.h"

namespace {

TEST(PermitParser, OnlyPermitsOfThePermitKindAreRead) {
    EXPECT_EQ(ParsePermit(L"核准号:J1编号:2经审核", RecognitionKind::AccountPermit), L"");
    EXPECT_EQ(ParsePermit(L"开户许可证核准号:J1编号:2", RecognitionKind::GeneralText), L"");
}

TEST(PermitParser, ReadsTheFieldsInOrderWithFullWidthColons) {
    const std::wstring text =
        L"开户许可证核准号:J123编号:456经审核,某某有限公司符合开户条件,准予开立基本存款账户。"
        L"法定代表人(单位负责人)张三开户银行中国银行北京分行账号0200123abc";
    EXPECT_EQ(ParsePermit(text, RecognitionKind::AccountPermit),
              L"核准号：J123\r\n编号：456\r\n公司名：某某有限公司\r\n法人：张三\r\n"
              L"开户银行：中国银行北京分行\r\n账号：0200123\r\n");
}

TEST(PermitParser, ApprovalNumberFallsBackToTheTextBeforeItsCaption) {
    EXPECT_EQ(ParsePermit(L"开户许可证J999核准号", RecognitionKind::AccountPermit),
              L"核准号：J999\r\n");
}

TEST(PermitParser, RepresentativeFallsBackToASearchFromTheStart) {
    // Without "(单位负责人)" the representative is searched from the start,
    // although the company's caption has moved the read position past it.
    const std::wstring text = L"开户许可证法定代表人李四存款账户经审核,甲公司符合开户条件";
    EXPECT_EQ(ParsePermit(text, RecognitionKind::AccountPermit),
              L"公司名：甲公司\r\n法人：李四\r\n");
}

TEST(PermitParser, BankNameGetsTheLongTextAfterTheRepresentativeCaption) {
    const std::wstring text =
        L"开户许可证法定代表人(单位负责人)中国工商银行股份开立基本存款账户。开户银行北京支行账号1";
    EXPECT_EQ(ParsePermit(text, RecognitionKind::AccountPermit),
              L"法人：中国工商银行股份开立基本存款账户。\r\n"
              L"开户银行：中国工商银行股份北京支行\r\n账号：1\r\n");
}

TEST(PermitParser, AccountNumberIsTheRunOfDigitsRightAfterItsCaption) {
    EXPECT_EQ(ParsePermit(L"开户许可证账号 123", RecognitionKind::AccountPermit), L"");
    EXPECT_EQ(ParsePermit(L"开户许可证账号123abc", RecognitionKind::AccountPermit),
              L"账号：123\r\n");
    EXPECT_EQ(ParsePermit(L"开户许可证账号", RecognitionKind::AccountPermit), L"");
}

TEST(PermitParser, AMissingCaptionSendsTheNextSearchBackToTheStart) {
    // "编号:" is found after "核准号:", the company search then fails and
    // resets the position, so "账号" is found before where the serial ended.
    const std::wstring text = L"开户许可证账号77核准号:J1编号:2经审核";
    EXPECT_EQ(ParsePermit(text, RecognitionKind::AccountPermit),
              L"核准号：J1\r\n编号：2\r\n账号：77\r\n");
}

}  // namespace
