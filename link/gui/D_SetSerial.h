#pragma once
#include "link/SerialPort.h"
#include "store/DAT_SerialSettings.h"
#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QPushButton;

// "通信設定": edits the six serial settings. Opening probes which ports can be opened (on a
// worker thread, under the information window) and offers those; OK stores the choice.
class CSetSerial : public QDialog {
    Q_OBJECT
public:
    using Probe = std::function<std::vector<int>()>;

    // The probe defaults to ports 1-20 through the lookup.
    CSetSerial(const SerialSettings& settings, PortDeviceLookup lookup, QWidget* parent = nullptr,
               Probe probe = {});

    // Probes under the information window, then runs the dialog.
    int exec() override;
    // The probe and the filling of the lists (exec does this first).
    void probePorts();

    // The edited settings; valid after OK.
    const SerialSettings& settings() const { return m_settings; }

    QComboBox* portBox() const { return m_boxes[0]; }
    // 0 port, 1 baud rate, 2 data bits, 3 parity, 4 stop bits, 5 flow control (ids 1016-1021).
    QComboBox* box(int index) const { return m_boxes[static_cast<std::size_t>(index)]; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void fill(const std::vector<int>& found);

    SerialSettings m_settings;
    PortDeviceLookup m_lookup;
    Probe m_probe;
    std::array<QComboBox*, 6> m_boxes{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
