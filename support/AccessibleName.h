#pragma once
#include <string>
#include <string_view>

// The name assistive technology reads for a control, made from the text of its label as the
// source writes it (UTF-8, with its mnemonic marker): the label without its shortcut (a tab and
// what follows it, "\tCtrl+P"), its mnemonic ("(&K)", "（&K）", an "&" before a letter; "&&" is
// a plain "&"), its colon ("：" or ":") and the blanks at its ends. Every dialog, view and menu
// names its controls by this one rule: "需要家名称(&N)：" reads "需要家名称",
// "契約電力(kW)(&K):" reads "契約電力(kW)", "印刷...\tCtrl+P(&P)" reads "印刷...".
std::string accessibleName(std::string_view label);
