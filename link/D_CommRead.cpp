#include "link/D_CommRead.h"

CCommRead::CCommRead(const ReceptionRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {}

int CCommRead::exec() {
    ReceptionOutcome outcome = RunReception(m_request);
    m_days = std::move(outcome.days);
    return outcome.result == ReceptionResult::Success ? Accepted : Rejected;
}
