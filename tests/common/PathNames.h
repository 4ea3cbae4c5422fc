#pragma once
// Folder names that are ordinary on Linux and that Shift-JIS spells badly or not at all: each
// path made of them must be read and written exactly where it was given.
#include <string>

struct PathName {
    const char* what;
    std::string name;    // UTF-8, as the system spells it
    bool spelledByCp932; // CP932 gives back the same name
};

inline const PathName kPathNames[] = {
    {"a Latin letter", "café", false},
    {"a short one", "hé", false},
    {"an emoji", "memo😀", false},
    {"wave dash U+301C", "東京〜大阪", false},
    {"minus sign U+2212", "A−B", false},
    {"second bytes 0x5C", "ソ表", true},
    {"a long Japanese name",
     "東京都千代田区丸の内一丁目オルボ電力測定データ保管庫第二分室需要家別月報控え", true},
};
