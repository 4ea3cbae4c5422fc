#pragma once
#include "link/SerialDeviceList.h"
#include "link/SerialPort.h"
#include "store/DAT_SerialSettings.h"
#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class Prompt;
class QComboBox;
class QPushButton;

// "通信設定": edits the six serial settings and the device behind the chosen port number.
// Opening lists the serial devices present (on a worker thread, under the information window);
// OK stores the settings and, when the device changed, the port's entry of section "Port".
class CSetSerial : public QDialog {
    Q_OBJECT
public:
    using Probe = std::function<std::vector<SerialDeviceEntry>()>;

    // The probe defaults to the devices of /dev that no other program holds.
    CSetSerial(const SerialSettings& settings, PortDeviceLookup lookup, PortDeviceStore store,
               Prompt& prompt, QWidget* parent = nullptr, Probe probe = {});

    // Probes under the information window, then runs the dialog.
    int exec() override;
    // The probe and the filling of the lists (exec does this first).
    void probePorts();

    // The edited settings; valid after OK.
    const SerialSettings& settings() const { return m_settings; }

    QComboBox* portBox() const { return m_boxes[0]; }
    QComboBox* deviceBox() const { return m_device; }
    // 0 port, 1 baud rate, 2 data bits, 3 parity, 4 stop bits, 5 flow control (ids 1016-1021).
    QComboBox* box(int index) const { return m_boxes[static_cast<std::size_t>(index)]; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void fill();
    void fillDevices();
    // The device the chosen port stands for now (CP932, as section "Port" holds it).
    std::string mappedDevice() const;

    SerialSettings m_settings;
    PortDeviceLookup m_lookup;
    PortDeviceStore m_store;
    Prompt& m_prompt;
    Probe m_probe;
    std::vector<SerialDeviceEntry> m_found;
    std::array<QComboBox*, 6> m_boxes{};
    QComboBox* m_device = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
