// The per-circuit limits file: round trip, bad values, atomic save.
#include "analysis/AnalysisSettings.h"
#include "common/Cp932.h"
#include "common/FileBytes.h"
#include "common/TempFolder.h"
#include "support/PrivateProfile.h"
#include "support/Sjis.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

CircuitLimits someLimits() {
    CircuitLimits l;
    l.contractDemand = 48500.5;
    l.band = VoltageBandKind::User;
    l.userLow = 96.5;
    l.userHigh = 106.0;
    l.powerFactorThreshold = 90.0;
    return l;
}

TEST(AnalysisSettings, RoundTripKeepsEveryCircuit) {
    AnalysisSettings s;
    const std::string customer = sj("本社工場");
    s.setLimits(customer, sj("受電"), someLimits());
    // A name with blanks around, a quote, and a "\" second byte ("ソ").
    s.setLimits(" A \"x\" ", sj("ソ]"), CircuitLimits());
    const AnalysisSettings back = AnalysisSettings::fromText(s.text());
    EXPECT_EQ(back.size(), 2u);
    EXPECT_EQ(back.limitsFor(customer, sj("受電")), someLimits());
    EXPECT_EQ(back.limitsFor(" a \"X\" ", sj("ソ]")), CircuitLimits());
    EXPECT_EQ(back.text(), s.text());
}

TEST(AnalysisSettings, UnknownCircuitGetsTheDefaults) {
    const CircuitLimits d = AnalysisSettings().limitsFor("a", "b");
    EXPECT_EQ(d.contractDemand, 0.0);
    EXPECT_EQ(d.band, VoltageBandKind::Auto);
    EXPECT_EQ(d.powerFactorThreshold, 85.0);
}

struct BadValueCase {
    const char* name;
    const char* line;
};

class BadValueTable : public ::testing::TestWithParam<BadValueCase> {};

TEST_P(BadValueTable, KeepsTheDefault) {
    const std::string text =
        std::string("[Circuit1]\r\nCustomer=a\r\nCircuit=b\r\n") + GetParam().line + "\r\n";
    EXPECT_EQ(AnalysisSettings::fromText(text).limitsFor("a", "b"), CircuitLimits());
}

INSTANTIATE_TEST_SUITE_P(Values, BadValueTable,
                         ::testing::Values(BadValueCase{"text", "ContractDemand=abc"},
                                           BadValueCase{"negative", "ContractDemand=-5"},
                                           BadValueCase{"trailing", "PowerFactorThreshold=85x"},
                                           BadValueCase{"band_out_of_range", "VoltageBand=7"},
                                           BadValueCase{"band_fraction", "VoltageBand=1.5"},
                                           BadValueCase{"infinite", "VoltageHigh=inf"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisSettings, SectionWithoutBothNamesIsSkippedNotTheRest) {
    const char* text = "[Circuit1]\r\nCustomer=a\r\n[Circuit2]\r\nCustomer=c\r\nCircuit=d\r\n"
                       "ContractDemand=10\r\n";
    const AnalysisSettings s = AnalysisSettings::fromText(text);
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.limitsFor("c", "d").contractDemand, 10.0);
}

TEST(AnalysisSettings, SaveAndLoadThroughTheDataFolder) {
    TempFolder folder;
    const std::string path = analysisSettingsPath(folder.str());
    EXPECT_EQ(AnalysisSettings::load(path).size(), 0u); // missing file
    AnalysisSettings s;
    s.setLimits("a", "b", someLimits());
    std::error_code ec;
    ASSERT_TRUE(s.save(path, ec)) << ec.message();
    EXPECT_EQ(AnalysisSettings::load(path).limitsFor("A", "B"), someLimits());
    EXPECT_NE(fileBytes(path).find("\r\n"), std::string::npos);
}

TEST(AnalysisSettings, FailedSaveLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = analysisSettingsPath(folder.str() + "/missing-folder");
    std::error_code ec;
    EXPECT_FALSE(AnalysisSettings().save(path, ec));
    EXPECT_TRUE(ec);
}

} // namespace

namespace {

TEST(AnalysisSettings, PrintPageIsOffUnlessChosen) {
    EXPECT_FALSE(AnalysisSettings().printAnalysisPage());
    EXPECT_FALSE(AnalysisSettings::fromText("[Print]\r\nAnalysisPage=x\r\n").printAnalysisPage());
    AnalysisSettings s;
    s.setPrintAnalysisPage(true);
    EXPECT_TRUE(AnalysisSettings::fromText(s.text()).printAnalysisPage());
}

} // namespace

// The file is written in one pass, byte for byte as the profile lays out a new file.
TEST(AnalysisSettingsFile, WrittenAsTheProfileWritesIt) {
    AnalysisSettings settings;
    settings.setPrintAnalysisPage(true);
    CircuitLimits a;
    a.contractDemand = 50000;
    a.band = VoltageBandKind::User;
    a.userLow = 95.5;
    a.userHigh = 107;
    settings.setLimits("A", " B ", a);
    settings.setLimits("C\"x", "D", CircuitLimits());
    IniDocument ini;
    ini.set("Print", "AnalysisPage", "1");
    ini.set("Circuit1", "Customer", "\"A\"");
    ini.set("Circuit1", "Circuit", "\" B \"");
    ini.set("Circuit1", "ContractDemand", "50000");
    ini.set("Circuit1", "VoltageBand", "3");
    ini.set("Circuit1", "VoltageLow", "95.5");
    ini.set("Circuit1", "VoltageHigh", "107");
    ini.set("Circuit1", "PowerFactorThreshold", "85");
    ini.set("Circuit2", "Customer", "\"C\"x\"");
    ini.set("Circuit2", "Circuit", "\"D\"");
    ini.set("Circuit2", "ContractDemand", "0");
    ini.set("Circuit2", "VoltageBand", "0");
    ini.set("Circuit2", "VoltageLow", "0");
    ini.set("Circuit2", "VoltageHigh", "0");
    ini.set("Circuit2", "PowerFactorThreshold", "85");
    EXPECT_EQ(settings.text(), ini.text());
    const AnalysisSettings back = AnalysisSettings::fromText(settings.text());
    EXPECT_EQ(back.limitsFor("a", " b "), a);
    EXPECT_TRUE(back.printAnalysisPage());
}

TEST(AnalysisSettingsFile, ACircuitNamedTwiceTakesTheLaterSectionAndNamesFoldCase) {
    const AnalysisSettings s = AnalysisSettings::fromText(
        "[circuit1]\r\ncustomer=\"Ab\"\r\nCIRCUIT=\"x\"\r\nContractDemand=1\r\n"
        "[Circuit2]\r\nCustomer=\"aB\"\r\nCircuit=\"X\"\r\nContractDemand=2\r\n");
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.limitsFor("AB", "x").contractDemand, 2.0);
}

// Read once per change: the same file gives the kept settings, a changed one is read again.
TEST(AnalysisSettingsFile, LoadKeepsTheFileUntilItChanges) {
    TempFolder dir;
    const std::string path = analysisSettingsPath(dir.str());
    AnalysisSettings first;
    CircuitLimits limits;
    limits.contractDemand = 1000;
    first.setLimits("A", "B", limits);
    std::error_code ec;
    ASSERT_TRUE(first.save(path, ec));
    EXPECT_EQ(AnalysisSettings::load(path).limitsFor("A", "B").contractDemand, 1000.0);
    limits.contractDemand = 2000;
    first.setLimits("A", "B", limits);
    ASSERT_TRUE(first.save(path, ec));
    EXPECT_EQ(AnalysisSettings::load(path).limitsFor("A", "B").contractDemand, 2000.0);
    std::filesystem::remove(path);
    EXPECT_EQ(AnalysisSettings::load(path).size(), 0u);
}
