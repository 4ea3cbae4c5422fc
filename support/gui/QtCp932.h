#pragma once
#include <QString>

#include <string>
#include <string_view>

// The one bridge between the core's CP932 bytes and the text of the widgets.
QString qtFromCp932(std::string_view cp932);
std::string cp932FromQt(const QString& text);
