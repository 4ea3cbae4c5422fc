#include "support/Termination.h"

#include <csignal>

namespace {
volatile std::sig_atomic_t s_requested = 0;
}

void noteTerminationRequest() {
    s_requested = 1;
}

bool terminationRequested() {
    return s_requested != 0;
}

void clearTerminationRequest() {
    s_requested = 0;
}
