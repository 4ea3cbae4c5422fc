// orvoview-cli of a Qt build: the pdf command draws with the program's views.
#include "tools/cli/CliMain.h"
#include "tools/gui/QtWindowPdf.h"

int main(int argc, char** argv) {
    cli::setWindowPdfOpener(openQtWindowPdf);
    return runCliMain(argc, argv);
}
