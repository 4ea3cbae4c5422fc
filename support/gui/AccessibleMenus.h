#pragma once

// Menu commands read out by the program's one naming rule (accessibleName): Qt itself reads a
// command's whole text, mnemonic and shortcut column included ("印刷...\tCtrl+P(P)"). The
// shortcut or mnemonic stays available as the command's key binding. Installed once for the
// process; every menu bar and menu then names its commands so.
void installAccessibleMenuNames();
