#pragma once
#include "views/layout/GridElement.h"
#include "views/layout/TextTable.h"
#include <span>

struct ReportHeader;

// What every printed report page shares: a one-column grid whose first two rows hold the title
// tables and whose last row holds the page number "page/count".
struct PrintPageFrame {
    TextTable* title = nullptr;
    TextTable* detail = nullptr;
};

// Sets `root` up with one row per height (-1: the row shares what the fixed rows leave) and
// places the title tables, set up with `seed`, and the page number. A report header, when
// given, goes above the title table in the first row, which grows by its height.
PrintPageFrame placePrintPageFrame(GridElement& root, std::span<const int> rowHeights,
                                   const FontSpec& seed, int page, int pageCount,
                                   const ReportHeader* header = nullptr);
