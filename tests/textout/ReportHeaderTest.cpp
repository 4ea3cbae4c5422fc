// The report header file: defaults, a customer's own values, the stamp box count held to 0-4,
// damaged values, round trip and save.
#include "textout/ReportHeader.h"
#include "common/TempFolder.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

namespace {

std::string j(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

ReportHeader filled(const char* inspector, int stamps) {
    ReportHeader h;
    h.inspector = j(inspector);
    h.company = j("東西電気保安");
    h.address = j("東京都港区芝1-2-3");
    h.remarks = j("定期点検");
    h.stampCount = stamps;
    return h;
}

TEST(ReportHeader, OffWithThreeBoxesAndEmptyTextsByDefault) {
    const ReportHeaderSettings s = ReportHeaderSettings::fromText("");
    EXPECT_FALSE(s.shown());
    EXPECT_FALSE(s.printedHeader("a", "b").has_value());
    const ReportHeader h = s.headerFor("a", "b");
    EXPECT_EQ(h.inspector, "");
    EXPECT_EQ(h.address, "");
    const std::vector<std::string> expected = {j("担当"), j("確認"), j("承認")};
    EXPECT_EQ(h.stamps(), expected);
    EXPECT_EQ(ReportHeaderSettings::load("/nonexistent/ReportHeader.INI").text(), s.text());
}

TEST(ReportHeader, CustomerOwnValuesOverrideOnlyThatCustomer) {
    ReportHeaderSettings s;
    s.setShown(true);
    s.setHeader(j("本社"), j("受電"), filled("山田", 2), false);
    s.setHeader(j("支社"), j("動力"), filled("鈴木", 4), true);
    const ReportHeaderSettings back = ReportHeaderSettings::fromText(s.text());
    EXPECT_EQ(back.text(), s.text());
    ASSERT_TRUE(back.printedHeader(j("本社"), j("受電")).has_value());

    const ReportHeader head = back.headerFor(j("本社"), j("受電"));
    EXPECT_EQ(head.inspector, j("山田"));
    EXPECT_EQ(head.stamps().size(), 2u);
    EXPECT_EQ(head.remarks, j("定期点検"));
    EXPECT_FALSE(back.customerHasOwn(j("本社")));

    const ReportHeader branch = back.headerFor(j("支社"), j("動力"));
    EXPECT_EQ(branch.inspector, j("鈴木"));
    EXPECT_EQ(branch.stamps().size(), 4u);
    EXPECT_TRUE(back.customerHasOwn(j("支社")));
    // Another circuit of the customer: its address and own part, no remarks.
    const ReportHeader other = back.headerFor(j("支社"), j("照明"));
    EXPECT_EQ(other.inspector, j("鈴木"));
    EXPECT_EQ(other.address, j("東京都港区芝1-2-3"));
    EXPECT_EQ(other.remarks, "");
    // A customer never set: the general part, no address.
    const ReportHeader unknown = back.headerFor(j("工場"), j("x"));
    EXPECT_EQ(unknown.inspector, j("山田"));
    EXPECT_EQ(unknown.address, "");

    // Back to the general part: the customer's own values go, its address stays.
    s.setHeader(j("支社"), j("動力"), filled("佐藤", 1), false);
    EXPECT_FALSE(s.customerHasOwn(j("支社")));
    EXPECT_EQ(s.headerFor(j("本社"), j("受電")).inspector, j("佐藤"));
    EXPECT_EQ(s.headerFor(j("支社"), j("照明")).address, j("東京都港区芝1-2-3"));
}

TEST(ReportHeader, OnlyTheKeysACustomerHoldsDiffer) {
    const std::string text = j("[Header]\r\nShow=1\r\nInspector=\"山田\"\r\nStampBoxes=2\r\n"
                               "[Customer1]\r\nCustomer=\"本社\"\r\nStampBoxes=4\r\n"
                               "Stamp4=\"社長\"\r\n");
    const ReportHeader h = ReportHeaderSettings::fromText(text).headerFor(j("本社"), "c");
    EXPECT_EQ(h.inspector, j("山田"));
    const std::vector<std::string> expected = {j("担当"), j("確認"), j("承認"), j("社長")};
    EXPECT_EQ(h.stamps(), expected);
}

struct CountCase {
    const char* value;
    int boxes;
};

class StampCount : public testing::TestWithParam<CountCase> {};

TEST_P(StampCount, IsHeldToZeroToFourAndDamageKeepsTheDefault) {
    const std::string text = std::string("[Header]\r\nStampBoxes=") + GetParam().value + "\r\n";
    EXPECT_EQ(ReportHeaderSettings::fromText(text).headerFor("a", "b").stamps().size(),
              static_cast<std::size_t>(GetParam().boxes))
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, StampCount,
                         testing::Values(CountCase{"0", 0}, CountCase{"1", 1}, CountCase{"4", 4},
                                         CountCase{"5", 4}, CountCase{"-1", 0},
                                         CountCase{"99999999999999999999", 4},
                                         CountCase{"-99999999999999999999", 0}, CountCase{"", 3},
                                         CountCase{"two", 3}, CountCase{"2x", 3},
                                         CountCase{"2.5", 3}, CountCase{" 2 ", 2}));

TEST(ReportHeader, SetterHoldsTheCountAndMakesOneLineTexts) {
    ReportHeaderSettings s;
    ReportHeader h = filled("山田", 9);
    h.remarks = j("一行目\r\n二行目\t");
    s.setHeader("c", "d", h, false);
    EXPECT_EQ(s.headerFor("c", "d").stamps().size(), 4u);
    EXPECT_EQ(s.headerFor("c", "d").remarks, j("一行目  二行目 "));
    h.stampCount = -3;
    s.setHeader("c", "d", h, true);
    EXPECT_EQ(s.headerFor("c", "d").stamps().size(), 0u);
    EXPECT_EQ(ReportHeaderSettings::fromText(s.text()).text(), s.text());
}

TEST(ReportHeader, DamagedFileKeepsWhatCanBeRead) {
    // Show is not "1", a customer section without a name, a circuit section without its circuit,
    // blanks around a name kept inside quotes, names compared without ASCII case.
    const std::string text = j("[Header]\r\nShow=yes\r\nCompany=\"  保安協会 \"\r\n"
                               "[Customer1]\r\nAddress=\"lost\"\r\n"
                               "[Customer2]\r\nCustomer=\"\"\r\n"
                               "[Customer3]\r\nCustomer=\"ABC\"\r\nAddress=\"大阪\"\r\n"
                               "[Circuit1]\r\nCustomer=\"ABC\"\r\nRemarks=\"x\"\r\n"
                               "[Circuit2]\r\nCustomer=\"abc\"\r\nCircuit=\"K1\"\r\n"
                               "Remarks=\"雨天\"\r\n");
    const ReportHeaderSettings s = ReportHeaderSettings::fromText(text);
    EXPECT_FALSE(s.shown());
    EXPECT_EQ(s.headerFor("ABC", "k1").address, j("大阪"));
    EXPECT_EQ(s.headerFor("ABC", "k1").company, j("  保安協会 "));
    EXPECT_EQ(s.headerFor("aBc", "k1").remarks, j("雨天"));
}

TEST(ReportHeader, SaveWritesTheFileThatLoadReads) {
    TempFolder folder;
    const std::string path = reportHeaderPath(folder.path().string());
    ReportHeaderSettings s;
    s.setShown(true);
    s.setHeader(j("本社"), j("受電"), filled("山田", 3), false);
    std::error_code ec;
    ASSERT_TRUE(s.save(path, ec)) << ec.message();
    EXPECT_EQ(ReportHeaderSettings::load(path).text(), s.text());
    EXPECT_FALSE(s.save(path + "/no/such/folder", ec));
}

} // namespace
