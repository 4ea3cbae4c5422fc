#pragma once
// The PDFs of PDFに出力 are painted by the window's views, which need Qt. The tool's core stays
// without it: the executable of a Qt build hands the pdf command a painter through this seam.
#include "store/DAT_Store.h"
#include "views/table/BatchOutput.h"
#include <filesystem>
#include <functional>

namespace cli {

// What the window would show: the store, the program folder (its DATA folder holds the report
// header and the analysis settings the pages use) and the first day of a report month.
struct WindowPdfSource {
    const MeasurementStore* store = nullptr;
    std::filesystem::path programFolder;
    int monthStartDay = 1;
};

// Opens a painter on the source: a writer of the PDF that PDFに出力 writes for a selection of
// that store. The writer keeps the painter alive.
using WindowPdfOpener = std::function<BatchPdfWriter(const WindowPdfSource& source)>;

// Set once by main() before the command runs.
void setWindowPdfOpener(WindowPdfOpener opener);
// Empty when this build has no painter.
BatchPdfWriter openWindowPdf(const WindowPdfSource& source);

} // namespace cli
