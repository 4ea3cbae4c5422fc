#pragma once
#include "textout/TxtOutRules.h"

class Prompt;

// Starts the program on the written file, detached and with no shell in between: the program
// gets the file's full path as its one argument. Without a program the desktop opens the file
// with the program associated with it. A start that fails is told ("プログラムを起動すること
// が出来ません" with the program or the file); returns whether it started.
bool startProgramOnFile(const TxtOutLaunch& launch, Prompt& prompt);
