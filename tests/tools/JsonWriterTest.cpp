#include "tools/cli/JsonWriter.h"
#include "tests/tools/MiniJson.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

TEST(JsonWriter, NumbersReadBackAsTheSameDouble) {
    const double values[] = {
        0.1, 1.0 / 3.0,           123456.789, -0.0, 5e-324, 1.7976931348623157e308,
        2.5, -1234.5678901234567, 1e21,       100.0};
    for (double v : values) {
        std::string text = JsonWriter::formatNumber(v);
        double back = std::strtod(text.c_str(), nullptr);
        EXPECT_EQ(std::memcmp(&v, &back, sizeof v), 0) << text;
    }
    EXPECT_EQ(JsonWriter::formatNumber(100.0), "100");
    EXPECT_EQ(JsonWriter::formatNumber(0.1), "0.1");
}

// JSON has no number for them: the strings that JavaScript's Number() and Python's float()
// read back, never null (which reads back as no value at all).
TEST(JsonWriter, NonFiniteNumbersAreNamedStrings) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {std::numeric_limits<double>::infinity(), "\"Infinity\""},
        {-std::numeric_limits<double>::infinity(), "\"-Infinity\""},
        {std::numeric_limits<double>::quiet_NaN(), "\"NaN\""},
        {-std::numeric_limits<double>::quiet_NaN(), "\"NaN\""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JsonWriter::formatNumber(row.value), row.text);
}

TEST(JsonWriter, TextsAreEscaped) {
    EXPECT_EQ(JsonWriter::quote("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(JsonWriter::quote("需要家"), "\"需要家\"");
}

TEST(JsonWriter, NestedDocumentParses) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject();
    json.member("name", "需要家<\"A\">");
    json.key("empty");
    json.beginArray();
    json.endArray();
    json.key("list");
    json.beginArray();
    json.value(1);
    json.null();
    json.beginObject();
    json.endObject();
    json.value(0.1);
    json.endArray();
    json.endObject();
    json.finish();

    minijson::Value v = minijson::parse(out.str());
    EXPECT_EQ(v.keys(), (std::vector<std::string>{"name", "empty", "list"}));
    EXPECT_EQ(v["name"].s, "需要家<\"A\">");
    EXPECT_EQ(v["empty"].size(), 0u);
    ASSERT_EQ(v["list"].size(), 4u);
    EXPECT_TRUE(v["list"][1].isNull());
    EXPECT_EQ(v["list"][3].n, 0.1);
}

TEST(JsonWriter, CompactArraysStayOnOneLine) {
    std::ostringstream out;
    {
        JsonWriter json(out);
        json.beginObject();
        json.key("v");
        json.beginArray(true);
        json.value(1.5);
        json.value(2);
        json.value(-3.25);
        json.endArray();
        json.key("e");
        json.beginArray(true);
        json.endArray();
        json.endObject();
        json.finish();
    }
    EXPECT_EQ(out.str(), "{\n  \"v\": [1.5, 2, -3.25],\n  \"e\": []\n}\n");
}
