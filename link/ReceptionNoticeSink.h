#pragma once
#include "link/ReceptionNotice.h"

// Implemented by the reception dialog (and by the command line and tests). Called on the
// worker thread with a notice the receiver owns; it should hand the notice over to its own
// thread and return.
class ReceptionNoticeSink {
public:
    virtual ~ReceptionNoticeSink() = default;
    virtual void onReceptionNotice(ReceptionNotice notice) = 0;
};
