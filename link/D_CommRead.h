#pragma once
// Stand-in until the reception dialog lands: the same interface, the reception run at once.
#include "link/ReceptionWorker.h"
#include <QDialog>

class CCommRead : public QDialog {
    Q_OBJECT
public:
    CCommRead(const ReceptionRequest& request, QWidget* parent = nullptr);
    int exec() override;
    MeasurementCircuit takeReceivedDays() { return std::move(m_days); }

private:
    ReceptionRequest m_request;
    MeasurementCircuit m_days;
};
