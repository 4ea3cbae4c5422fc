#include "support/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, ReadsTenNumbers) {
    auto p = parsePlacement("2 , 1 , -1 , -1 , -8 , -30 , 10 , 20 , 810 , 620");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->length, 44u);
    EXPECT_EQ(p->flags, 2u);
    EXPECT_EQ(p->showCmd, 1u);
    EXPECT_EQ(p->minX, -1);
    EXPECT_EQ(p->minY, -1);
    EXPECT_EQ(p->maxX, -8);
    EXPECT_EQ(p->maxY, -30);
    EXPECT_EQ(p->left, 10);
    EXPECT_EQ(p->top, 20);
    EXPECT_EQ(p->right, 810);
    EXPECT_EQ(p->bottom, 620);
}

TEST(WindowPlacement, BlanksAroundCommasAreOptional) {
    auto p = parsePlacement("0,1,2,3,4,5,6,7,8,9 trailing text");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->bottom, 9);
    EXPECT_TRUE(parsePlacement("  0 ,1,  2,3 ,4,5,6,7,8,\t9"));
}

TEST(WindowPlacement, IncompleteTextIsNoPlacement) {
    const char* bad[] = {
        "",
        "0 , 1 , -1 , -1 , -1 , -1 , 0 , 0 , 800",     // nine numbers
        "0 , 1 , -1 , -1 , -1 , -1 , 0 , 0 , 800 ,",   // tenth missing
        "0 ; 1 ; -1 ; -1 ; -1 ; -1 ; 0 ; 0 ; 800 ; 9", // wrong separators
        "0 , 1 , x , -1 , -1 , -1 , 0 , 0 , 800 , 9",
    };
    for (const char* text : bad) {
        EXPECT_FALSE(parsePlacement(text)) << text;
    }
}

TEST(WindowPlacement, FormatsTheSameTenNumbers) {
    WindowPlacement p;
    p.flags = 0;
    p.showCmd = 3;
    p.minX = -32000;
    p.minY = -32000;
    p.maxX = -1;
    p.maxY = -1;
    p.left = 100;
    p.top = 50;
    p.right = 900;
    p.bottom = 650;
    EXPECT_EQ(formatPlacement(p), "0 , 3 , -32000 , -32000 , -1 , -1 , 100 , 50 , 900 , 650");
    EXPECT_EQ(parsePlacement(formatPlacement(p)), p);
}

TEST(WindowPlacement, HugeNumbersSaturateInsteadOfOverflowing) {
    auto p = parsePlacement(
        "0 , 1 , 99999999999999999999 , -99999999999999999999 , 0 , 0 , 0 , 0 , 0 , 0");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->minX, 2147483647);
    EXPECT_EQ(p->minY, -2147483647 - 1);
}
