#pragma once
#include "store/DAT_DisplaySelection.h"
#include "views/layout/TextTable.h"

// The two header tables of every report page (table and graph, screen and paper): customer,
// circuit and date; circuit type, ratios and reactive energies.
namespace title_tables {

// Six columns of 10, 21, 8, 20, 17 and the rest percent; label cells grey, a black outline,
// one font fitted in cell (0, 0) to "需要家名称" so both tables get the same size.
void setUp(TextTable& title, TextTable& detail, const FontSpec& seed);
// The value cells; `reactive` is the summary whose lead and lag energies are shown.
void fill(TextTable& title, TextTable& detail, const DisplaySelection& selection,
          const DaySummary& reactive);

} // namespace title_tables
