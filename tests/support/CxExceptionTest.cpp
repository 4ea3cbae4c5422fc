#include "support/CxException.h"
#include "common/Cp932.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

TEST(CxException, ThreeForms) {
    CxException signal;
    EXPECT_FALSE(signal.hasMessage());
    EXPECT_EQ(signal.message().view(), "");
    EXPECT_EQ(signal.value(), 0);

    CxException plain("text", 7);
    EXPECT_TRUE(plain.hasMessage());
    EXPECT_EQ(plain.message().view(), "text");
    EXPECT_EQ(plain.value(), 7);

    std::string fmt = sj("通信異常 [%d]");
    CxException formatted(-2, sjis::Text(fmt), -2);
    EXPECT_TRUE(formatted.hasMessage());
    EXPECT_EQ(sjis::toUtf8(formatted.message()), "通信異常 [-2]");
    EXPECT_EQ(formatted.value(), -2);
}

TEST(CxException, GetErrorMessageTruncates) {
    CxException e("1234567", 0);
    char buf[16];
    unsigned help = 99;
    ASSERT_TRUE(e.GetErrorMessage(buf, 5, &help));
    EXPECT_STREQ(buf, "1234");
    EXPECT_EQ(help, 0u);
    ASSERT_TRUE(e.GetErrorMessage(buf, sizeof buf));
    EXPECT_STREQ(buf, "1234567");
    ASSERT_TRUE(e.GetErrorMessage(buf, 1));
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 5));
    EXPECT_FALSE(e.GetErrorMessage(buf, 0));
}
