// orvoview-cli of a build without Qt: every command but pdf.
#include "tools/cli/CliMain.h"

int main(int argc, char** argv) {
    return runCliMain(argc, argv);
}
