#pragma once
#include "store/DAT_DisplaySelection.h"
#include "support/SjisText.h"
#include "views/layout/TextTable.h"

// The two header tables of every report page (table and graph, screen and paper): customer,
// circuit and date; circuit type, ratios and reactive energies.
namespace title_tables {

// Six columns of 10, 21, 8, 20, 17 and the rest percent; label cells grey, a black outline,
// one font fitted in cell (0, 0) to "需要家名称" so both tables get the same size.
// The customer's and the circuit's names shrink, then wrap, then lose their end (name_fit);
// nameMinimum is the smallest cell height they may take (0 on paper, where they shrink to half
// the labels' size; readableOnScreen on screen, where a cut name shows whole in a tool tip).
void setUp(TextTable& title, TextTable& detail, const FontSpec& seed, int32_t nameMinimum = 0);
// The smallest text the screen shows (8 point), as a cell height of this device context.
int32_t readableOnScreen(const DeviceContext& dc);
// The value cells; `reactive` is the summary whose lead and lag energies are shown. A monthly
// report's date is its report month with the dates it covers from `monthStartDay`.
void fill(TextTable& title, TextTable& detail, const DisplaySelection& selection,
          const DaySummary& reactive, int monthStartDay);
// "2024年 5月（4/21～5/20）"; the bare month when the start day gives no such month.
sjis::String monthTitle(int year, int month, int monthStartDay);

} // namespace title_tables
