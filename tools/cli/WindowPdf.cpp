#include "tools/cli/WindowPdf.h"
#include <utility>

namespace cli {

namespace {

WindowPdfOpener& opener() {
    static WindowPdfOpener installed;
    return installed;
}

} // namespace

void setWindowPdfOpener(WindowPdfOpener installed) {
    opener() = std::move(installed);
}

BatchPdfWriter openWindowPdf(const WindowPdfSource& source) {
    return opener() ? opener()(source) : BatchPdfWriter();
}

} // namespace cli
