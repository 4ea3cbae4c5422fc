#pragma once
#include "support/Sjis.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The one bridge between the core's CP932 bytes and the text of the widgets.
QString qtFromCp932(std::string_view cp932);
// Nothing when the text holds a character CP932 cannot keep (see sjis::fromUtf8).
std::optional<std::string> cp932FromQt(const QString& text,
                                       sjis::Spelling spelling = sjis::Spelling::Exact);
