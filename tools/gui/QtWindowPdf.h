#pragma once
// The painter of the pdf command: the program's main frame, hidden, over a copy of the store.
#include "tools/cli/WindowPdf.h"

// Makes the application object first when there is none (on Qt's offscreen platform when
// there is no display). Each PDF is the one PDFに出力 writes once the selector shows the
// selection.
BatchPdfWriter openQtWindowPdf(const cli::WindowPdfSource& source);
