#pragma once
#include "textout/ReportHeader.h"
#include "views/layout/FontSpec.h"
#include "views/layout/GridElement.h"

// The report header above the title tables of a printed page: inspector, company, address and
// remarks at the left, the stamp boxes (caption above a bordered square) at the right.
namespace report_header_block {

// Height of the block (0.1 mm), the stamp boxes' squares included.
inline constexpr int kHeight = 200;

// Fills `cell` (a fresh grid) with the block of `header`.
void place(GridElement& cell, const ReportHeader& header, const FontSpec& seed);

} // namespace report_header_block
