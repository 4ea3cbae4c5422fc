// pdf: the PDF that PDFに出力 writes of a circuit's day or report month, or the daily PDFs of a
// period for several circuits.
#include "support/FilePath.h"
#include "tools/cli/BatchRun.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliSupport.h"
#include "tools/cli/CliTexts.h"
#include "tools/cli/ReportRun.h"
#include "tools/cli/WindowPdf.h"
#include "views/table/PrintJobs.h"
#include <ostream>

int cmdPdf(const CliArgs& args, CliIo io) {
    if (cli::isPeriodCommand(args))
        return cli::runPeriodCommand(args, io, BatchFormat::Pdf);
    ReportRun run;
    if (!prepareReportRun(args, io, run))
        return ExitFailure;
    const BatchPdfWriter pdf = cli::openWindowPdf({&run.document.store(), run.home, run.startDay});
    if (!pdf) {
        cli::message(io, txt::cli::kNoPdfPainter);
        return ExitFailure;
    }
    for (const SelectionTuple& tuple : run.tuples) {
        run.document.select(tuple, run.displayChannel);
        const DisplaySelection& selection = run.document.currentSelection();
        const std::filesystem::path path =
            pathInFolder(run.outFolder, pathFromCp932(print_jobs::pdfFileName(selection)));
        std::string reason;
        if (!pdf(selection, path, reason)) {
            cli::messageCp932(io, sjis::Text(reason));
            return ExitFailure;
        }
        io.out << path.native() << '\n';
    }
    io.out.flush();
    return ExitOk;
}
