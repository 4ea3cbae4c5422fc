#pragma once

// The program's dialogs and message boxes have a title bar with a close button only: a form or a
// question has nothing to show in a maximised window. The few dialogs whose content grows with
// them (file dialogs, the print preview) keep the buttons the platform gives them. Installed once
// for the process; it takes effect for every dialog shown afterwards.
void installDialogFrames();
