// Each CASE is a slip the build must refuse; CASE 0 is the same code done right. Compiled on
// its own by the tests of tests/support/CMakeLists.txt, never linked.
#include "support/CxException.h"
#include "support/Format.h"
#include "support/LogFile.h"
#include "support/Prompt.h"
#include "support/SjisText.h"
#include "support/SupportTexts.h"
#include "tools/cli/CliSupport.h"

#include <string>

void misuse(Prompt& prompt, LogFile& log, CliIo& io, const std::string& utf8) {
#if CASE == 0
    constexpr auto ok = sjis::text(u8"12～24時 ﾌｧｲﾙ §");
    prompt.tell(ok);
    prompt.tell(formatText(txt::support::kReasonFolder, utf8.c_str()));
    log.WriteLine(sjis::Text(utf8));
    cli::messageCp932(io, ok);
    cli::message(io, utf8);
    throw CxException(ok, 0);
#elif CASE == 1 // WAVE DASH: Shift-JIS gives back FULLWIDTH TILDE
    constexpr auto bad = sjis::text(u8"12〜24時");
    prompt.tell(bad);
#elif CASE == 2 // MINUS SIGN: Shift-JIS gives back FULLWIDTH HYPHEN-MINUS
    constexpr auto bad = sjis::text(u8"−5");
    prompt.tell(bad);
#elif CASE == 3 // no Shift-JIS form at all
    constexpr auto bad = sjis::text(u8"café");
    prompt.tell(bad);
#elif CASE == 4 // a UTF-8 literal where Shift-JIS is wanted
    prompt.tell("保存しました");
#elif CASE == 5
    prompt.tell(utf8);
#elif CASE == 6
    log.WriteLine(utf8);
#elif CASE == 7
    throw CxException(utf8, 0);
#elif CASE == 8
    formatText(utf8.c_str());
#elif CASE == 9 // Shift-JIS where the tool's UTF-8 message is wanted
    cli::message(io, txt::support::kReasonFolder);
#elif CASE == 10
    cli::message(io, formatText(txt::support::kReasonFolder, "x"));
#elif CASE == 11
    cli::messageCp932(io, utf8);
#elif CASE == 12 // a text as a printf value: its bytes, not the object
    formatText(txt::support::kReasonFolder, txt::support::kYearMark);
#endif
}
