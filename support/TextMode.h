#pragma once
#include <string>
#include <string_view>

// Appends text as a Windows text-mode stream writes it: every line feed becomes CR LF (one that
// already follows a CR stays as it is).
void appendTextMode(std::string& out, std::string_view text);
