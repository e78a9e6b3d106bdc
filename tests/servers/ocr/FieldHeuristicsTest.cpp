#include <gtest/gtest.h>

#include "platform/servers/ocr/BankCardAnswer.h"
#include "platform/servers/ocr/FieldReader.h"
#include "platform/servers/ocr/IdCardAnswer.h"
#include "platform/servers/ocr/InvoiceAnswer.h"
#include "platform/servers/ocr/LicenceAnswers.h"
#include "platform/servers/ocr/LineText.h"

namespace pimlo::servers {
namespace {

std::string Words(const Json::Value& answer, const char* field) {
    return answer["words_result"][field]["words"].asString();
}

TEST(JoinWordsTest, SpacesOnlyBetweenLatinWords) {
    EXPECT_EQ(JoinWords({"Hello", "world"}), "Hello world");
    EXPECT_EQ(JoinWords({"姓", "名", "张三"}), "姓名张三");
    EXPECT_EQ(JoinWords({"号码", "1234", "AB"}), "号码1234 AB");
    EXPECT_EQ(JoinWords({"金额：", "100"}), "金额：100");
}

TEST(FieldReaderTest, ValueEndsAtTheNextLabelOrComesFromTheNextLine) {
    const FieldReader reader({"性 别 男 民族 汉", "住址", "北京市海淀区", "姓名：张三"},
                             {"性别", "民族", "住址", "姓名"});
    EXPECT_EQ(reader.Read({"性别", {"性别"}, ""}), "男");
    EXPECT_EQ(reader.Read({"民族", {"民族"}, ""}), "汉");
    EXPECT_EQ(reader.Read({"住址", {"住址"}, ""}), "北京市海淀区");
    EXPECT_EQ(reader.Read({"姓名", {"姓名"}, ""}), "张三");
    EXPECT_EQ(reader.Read({"出生", {"出生"}, R"((\d{4}))"}), "");
}

TEST(FieldReaderTest, LabelAtLineEndDoesNotTakeTheNextLabelledLine) {
    const FieldReader reader({"住址", "姓名 张三"}, {"住址", "姓名"});
    EXPECT_EQ(reader.Read({"住址", {"住址"}, ""}), "");
}

TEST(CompactDateTest, PrintedDatesBecomeEightDigits) {
    EXPECT_EQ(CompactDate("1990年1月2日"), "19900102");
    EXPECT_EQ(CompactDate("2010.01.15"), "20100115");
    EXPECT_EQ(CompactDate("长期"), "长期");
}

TEST(IdCardAnswerTest, FrontFieldsFromPrintedLabels) {
    const Json::Value answer =
        IdCardAnswer({"姓名 张三", "性别 男 民族 汉", "出生 1990年1月2日",
                      "住址 北京市海淀区中关村大街1号", "公民身份号码 1101 0819 9001 0212 3X"},
                     true, 7);
    EXPECT_EQ(answer["image_status"].asString(), "normal");
    EXPECT_EQ(Words(answer, "姓名"), "张三");
    EXPECT_EQ(Words(answer, "性别"), "男");
    EXPECT_EQ(Words(answer, "民族"), "汉");
    EXPECT_EQ(Words(answer, "出生"), "19900102");
    EXPECT_EQ(Words(answer, "住址"), "北京市海淀区中关村大街1号");
    EXPECT_EQ(Words(answer, "公民身份号码"), "11010819900102123X");
    EXPECT_EQ(answer["words_result_num"].asInt(), 6);
    EXPECT_EQ(answer["log_id"].asUInt64(), 7u);
}

TEST(IdCardAnswerTest, BackSplitsTheValidityPeriod) {
    const Json::Value answer =
        IdCardAnswer({"签发机关 北京市公安局海淀分局", "有效期限 2010.01.15-2030.01.15"}, false, 1);
    EXPECT_EQ(answer["image_status"].asString(), "normal");
    EXPECT_EQ(Words(answer, "签发机关"), "北京市公安局海淀分局");
    EXPECT_EQ(Words(answer, "签发日期"), "20100115");
    EXPECT_EQ(Words(answer, "失效日期"), "20300115");
}

TEST(IdCardAnswerTest, StatusTellsWrongSideAndNoCard) {
    const std::vector<std::string> back = {"签发机关 某公安局", "有效期限 2010.01.15-长期"};
    const std::vector<std::string> front = {"姓名 张三", "性别 男"};
    EXPECT_EQ(IdCardAnswer(back, true, 1)["image_status"].asString(), "reversed_side");
    EXPECT_EQ(IdCardAnswer(front, false, 1)["image_status"].asString(), "reversed_side");
    EXPECT_EQ(IdCardAnswer({"hello world"}, true, 1)["image_status"].asString(), "non_idcard");
    EXPECT_EQ(Words(IdCardAnswer(back, false, 1), "失效日期"), "长期");
}

TEST(BankCardAnswerTest, PrefersTheNumberThatPassesLuhn) {
    // 6222020200112345671 fails the check; 6222 0202 0011 2345 679 passes.
    const auto answer = BankCardAnswer(
        {"中国工商银行 借记卡", "6222020200112345671", "6222 0202 0011 2345 679", "12/25"}, 3);
    ASSERT_TRUE(answer);
    const Json::Value& result = (*answer)["result"];
    EXPECT_EQ(result["bank_card_number"].asString(), "6222 0202 0011 2345 679");
    EXPECT_EQ(result["bank_name"].asString(), "中国工商银行");
    EXPECT_EQ(result["bank_card_type"].asInt(), 1);
    EXPECT_EQ(result["valid_date"].asString(), "12/25");
}

TEST(BankCardAnswerTest, BankFromFirstDigitsWhenNotPrinted) {
    const auto answer = BankCardAnswer({"CREDIT", "6225 8801 2345 6789"}, 3);
    ASSERT_TRUE(answer);
    EXPECT_EQ((*answer)["result"]["bank_name"].asString(), "招商银行");
    EXPECT_EQ((*answer)["result"]["bank_card_type"].asInt(), 2);
    EXPECT_EQ((*answer)["result"]["valid_date"].asString(), "NO VALID");
}

TEST(BankCardAnswerTest, NoCardNumberNoAnswer) {
    EXPECT_FALSE(BankCardAnswer({"电话 010 12345678", "1234 5678 9012"}, 3));
}

TEST(BankCardAnswerTest, LuhnCheck) {
    EXPECT_TRUE(PassesLuhn("4111111111111111"));
    EXPECT_FALSE(PassesLuhn("4111111111111112"));
    EXPECT_FALSE(PassesLuhn(""));
}

TEST(LicenceAnswerTest, DrivingLicenceFieldsAndPeriod) {
    const Json::Value answer =
        LicenceAnswer(LicenceKind::Driving,
                      {"中华人民共和国机动车驾驶证", "证号 110101199001021234", "姓名 李四 性别 女",
                       "准驾车型 C1", "有效期限 2015-03-01 至 2021-03-01"},
                      1);
    EXPECT_EQ(Words(answer, "证号"), "110101199001021234");
    EXPECT_EQ(Words(answer, "姓名"), "李四");
    EXPECT_EQ(Words(answer, "性别"), "女");
    EXPECT_EQ(Words(answer, "准驾车型"), "C1");
    EXPECT_EQ(Words(answer, "有效起始日期"), "2015-03-01");
    EXPECT_EQ(Words(answer, "至"), "2021-03-01");
    EXPECT_EQ(Words(answer, "住址"), "");
}

TEST(LicenceAnswerTest, PassportMachineReadableLines) {
    const Json::Value answer = LicenceAnswer(LicenceKind::Passport,
                                             {"P<CHNZHANG<<SAN<<<<<<<<<<<<<<<<<<<<<<<<<<<<<",
                                              "E123456784CHN9001021M3001015NGKELMPONBPEA938"},
                                             1);
    EXPECT_EQ(Words(answer, "MRZCode1"), "P<CHNZHANG<<SAN<<<<<<<<<<<<<<<<<<<<<<<<<<<<<");
    EXPECT_EQ(Words(answer, "MRZCode2"), "E123456784CHN9001021M3001015NGKELMPONBPEA938");
}

TEST(InvoiceTest, GoodsRowCellsFromTheRight) {
    const GoodsRow full = ParseGoodsRow("*办公用品*打印纸 A4 包 10 25.00 250.00 13% 32.50");
    EXPECT_EQ(full.name, "*办公用品*打印纸");
    EXPECT_EQ(full.type, "A4");
    EXPECT_EQ(full.unit, "包");
    EXPECT_EQ(full.num, "10");
    EXPECT_EQ(full.price, "25.00");
    EXPECT_EQ(full.amount, "250.00");
    EXPECT_EQ(full.taxRate, "13%");
    EXPECT_EQ(full.tax, "32.50");

    const GoodsRow service = ParseGoodsRow("技术服务费 1000.00 6% 60.00");
    EXPECT_EQ(service.amount, "1000.00");
    EXPECT_EQ(service.num, "");
    EXPECT_EQ(service.unit, "");
    EXPECT_EQ(service.tax, "60.00");
}

TEST(InvoiceTest, PartiesTotalsAndGoodsColumns) {
    const Json::Value answer = InvoiceAnswer(
        {"北京增值税专用发票", "发票代码 1100171320", "发票号码 12345678",
         "开票日期 2017年07月11日", "名称 甲公司", "纳税人识别号 91110000AAAAAAAAAA",
         "货物或应税劳务名称 规格型号 单位 数量 单价 金额 税率 税额",
         "打印纸 A4 包 10 25.00 250.00 13% 32.50", "墨盒 个 2 100.00 200.00 13% 26.00",
         "合计 ¥450.00 ¥58.50", "价税合计（大写） 伍佰零捌元伍角 （小写）¥508.50", "名称 乙公司",
         "纳税人识别号 91110000BBBBBBBBBB", "收款人 王五 复核 赵六 开票人 孙七"},
        1);
    const Json::Value& fields = answer["words_result"];
    EXPECT_EQ(fields["InvoiceType"].asString(), "专用发票");
    EXPECT_EQ(fields["InvoiceCode"].asString(), "1100171320");
    EXPECT_EQ(fields["InvoiceNum"].asString(), "12345678");
    EXPECT_EQ(fields["PurchaserName"].asString(), "甲公司");
    EXPECT_EQ(fields["SellerName"].asString(), "乙公司");
    EXPECT_EQ(fields["SellerRegisterNum"].asString(), "91110000BBBBBBBBBB");
    EXPECT_EQ(fields["TotalAmount"].asString(), "450.00");
    EXPECT_EQ(fields["TotalTax"].asString(), "58.50");
    EXPECT_EQ(fields["AmountInWords"].asString(), "伍佰零捌元伍角");
    EXPECT_EQ(fields["AmountInFiguers"].asString(), "508.50");
    EXPECT_EQ(fields["Checker"].asString(), "赵六");
    ASSERT_EQ(fields["CommodityName"].size(), 2u);
    EXPECT_EQ(fields["CommodityName"][1]["word"].asString(), "墨盒");
    EXPECT_EQ(fields["CommodityUnit"][1]["word"].asString(), "个");
    EXPECT_EQ(fields["CommodityType"][1]["word"].asString(), "");
    EXPECT_EQ(fields["CommodityTax"][1]["word"].asString(), "26.00");
    EXPECT_EQ(fields["CommodityTax"][1]["row"].asString(), "2");
}

}  // namespace
}  // namespace pimlo::servers
