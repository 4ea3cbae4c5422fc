#include "app/PrintPeriod.h"
#include "support/DateTime.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

namespace {

struct PeriodCase {
    const char* name;
    DateTime start;
    DateTime end;
    bool accepted;
};

TEST(PrintPeriod, EndBeforeStartIsRefusedWithWhatToDo) {
    const PeriodCase cases[] = {
        {"one day", DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 1), true},
        {"forward", DateTime::make(2024, 5, 1), DateTime::make(2024, 5, 3), true},
        {"across a year", DateTime::make(2023, 12, 31), DateTime::make(2024, 1, 1), true},
        {"a day back", DateTime::make(2024, 5, 2), DateTime::make(2024, 5, 1), false},
        {"a year back", DateTime::make(2024, 1, 1), DateTime::make(2023, 12, 31), false},
    };
    for (const PeriodCase& c : cases) {
        const char* message = checkPrintPeriod(c.start, c.end);
        if (c.accepted) {
            EXPECT_EQ(message, nullptr) << c.name;
        } else {
            ASSERT_NE(message, nullptr) << c.name;
            EXPECT_EQ(sjis::toUtf8(message), "終了日が開始日より前です。\n"
                                             "終了日には開始日以降の日付を選んでください。")
                << c.name;
        }
    }
}

} // namespace
