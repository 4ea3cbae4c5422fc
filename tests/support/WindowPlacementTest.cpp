#include "support/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

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

// A placement is applied only when it fits the screens; hostile numbers never overflow.
TEST(WindowPlacement, UsableNormalRectTable) {
    const std::vector<ScreenRect> one{{0, 0, 1920, 1080}};
    const std::vector<ScreenRect> two{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
    auto placed = [](int32_t l, int32_t t, int32_t r, int32_t b) {
        WindowPlacement p;
        p.left = l;
        p.top = t;
        p.right = r;
        p.bottom = b;
        return p;
    };
    struct Case {
        const char* name;
        WindowPlacement p;
        std::vector<ScreenRect> screens;
        std::optional<ScreenRect> expected;
    } cases[] = {
        {"ordinary", placed(10, 20, 810, 620), one, ScreenRect{10, 20, 810, 620}},
        {"on the second screen", placed(2000, 10, 2800, 610), two, ScreenRect{2000, 10, 2800, 610}},
        {"partly off: moved inside", placed(-100, -10, 700, 590), one, ScreenRect{0, 0, 800, 600}},
        {"saved at 1280x1024, shown on 1024x768",
         placed(0, 0, 1280, 1024),
         {{0, 0, 1024, 768}},
         ScreenRect{0, 0, 1024, 768}},
        {"30000 square: fitted", placed(0, 0, 30000, 30000), one, ScreenRect{0, 0, 1920, 1080}},
        {"hanging off the right edge", placed(1500, 100, 2100, 500), one,
         ScreenRect{1320, 100, 1920, 500}},
        {"hostile extremes", placed(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), one, std::nullopt},
        {"no area", placed(10, 10, 10, 500), one, std::nullopt},
        {"reversed", placed(800, 600, 10, 10), one, std::nullopt},
        {"off every screen", placed(5000, 5000, 5800, 5600), two, std::nullopt},
        {"wider than both screens: fitted to the first", placed(0, 0, 5000, 500), two,
         ScreenRect{0, 0, 1920, 500}},
        {"mostly on the second screen", placed(1800, 0, 2600, 600), two,
         ScreenRect{1920, 0, 2720, 600}},
        {"2147483647 wide from 0", placed(0, 0, INT32_MAX, 500), one, ScreenRect{0, 0, 1920, 500}},
        {"size beyond int", placed(-2, 0, INT32_MAX, 500), one, std::nullopt},
        {"no screens", placed(10, 20, 810, 620), {}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(usableNormalRect(c.p, c.screens), c.expected) << c.name;
}
