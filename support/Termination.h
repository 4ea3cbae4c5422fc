#pragma once
// A request to end the program (SIGTERM, SIGINT, SIGHUP), noted by the signal handler and
// looked at by long work between its steps (a print run stops between its jobs), which the
// event loop cannot serve while that work runs.

// Async-signal-safe.
void noteTerminationRequest();
bool terminationRequested();
// For tests: forget a noted request.
void clearTerminationRequest();
