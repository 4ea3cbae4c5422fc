#include "link/gui/D_SetSerial.h"
#include "link/PortProbe.h"
#include "link/SerialChoices.h"
#include "link/gui/D_Information.h"
#include "res/ResourceIds.h"
#include "support/gui/QtCp932.h"
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <thread>

namespace {

struct BoxSpec {
    int id;
    const char* label;
    const char* name;
};
constexpr BoxSpec kBoxes[] = {
    {res::IDC_SERIAL_PORT, "ポート番号：", "port"},
    {res::IDC_SERIAL_BAUD, "ボーレイト：", "baudRate"},
    {res::IDC_SERIAL_DATABITS, "データ長：", "byteSize"},
    {res::IDC_SERIAL_PARITY, "パリティチェック：", "parity"},
    {res::IDC_SERIAL_STOPBITS, "ストップビット：", "stopBits"},
    {res::IDC_SERIAL_FLOW, "フロー制御：", "flowControl"},
};
// The table behind each box after the port, in the order of the boxes.
constexpr SerialField kFields[] = {SerialField::BaudRate, SerialField::ByteSize,
                                   SerialField::Parity, SerialField::StopBits,
                                   SerialField::FlowControl};

int32_t storedValue(const SerialSettings& s, SerialField field) {
    switch (field) {
    case SerialField::BaudRate:
        return s.baudRate;
    case SerialField::ByteSize:
        return s.byteSize;
    case SerialField::Parity:
        return s.parity;
    case SerialField::StopBits:
        return s.stopBits;
    case SerialField::FlowControl:
        break;
    }
    return s.flowControl;
}

} // namespace

CSetSerial::CSetSerial(const SerialSettings& settings, PortDeviceLookup lookup, QWidget* parent,
                       Probe probe)
    : QDialog(parent), m_settings(settings), m_lookup(std::move(lookup)),
      m_probe(std::move(probe)) {
    if (!m_probe)
        m_probe = [lookup = m_lookup] { return probeSerialPorts(lookup); };
    setObjectName("setSerialDialog");
    setWindowTitle(QStringLiteral("通信設定"));
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));

    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(kBoxes[i].name));
        combo->setProperty("controlId", kBoxes[i].id);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        auto* label = new QLabel(QString::fromUtf8(kBoxes[i].label), this);
        label->setObjectName(QString::fromLatin1(kBoxes[i].name) + "Label");
        label->setProperty("controlId", res::IDC_STATIC);
        label->setBuddy(combo);
        combo->setAccessibleName(label->text());
        form->addRow(label, combo);
        m_boxes[i] = combo;
    }
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName("ok");
    m_ok->setProperty("controlId", res::IDOK);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancel->setObjectName("cancel");
    m_cancel->setProperty("controlId", res::IDCANCEL);
    connect(m_ok, &QPushButton::clicked, this, &CSetSerial::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSetSerial::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    for (std::size_t i = 0; i + 1 < m_boxes.size(); ++i)
        setTabOrder(m_boxes[i], m_boxes[i + 1]);
    setTabOrder(m_boxes.back(), m_ok);
    setTabOrder(m_ok, m_cancel);
    fill({});
}

int CSetSerial::exec() {
    probePorts();
    return QDialog::exec();
}

void CSetSerial::probePorts() {
    // Opening twenty devices may take long: the probe runs on its own thread while the
    // information window keeps turning.
    CInformation info(QStringLiteral("利用可能なポートを探しています\nしばらくお待ちください"),
                      parentWidget());
    info.setWindowModality(Qt::ApplicationModal);
    info.show();
    QEventLoop loop;
    std::vector<int> found;
    std::thread probe([&] {
        found = m_probe();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    probe.join();
    info.close();
    fill(found);
}

void CSetSerial::fill(const std::vector<int>& found) {
    QComboBox* port = m_boxes[0];
    port->clear();
    const std::vector<int> offered = portChoiceNumbers(found);
    for (int n : offered)
        port->addItem(qtFromCp932(portChoiceText(n, m_lookup)), n);
    port->setCurrentIndex(portChoiceIndex(offered, m_settings.portNumber));
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        QComboBox* combo = m_boxes[i + 1];
        combo->clear();
        for (const SerialChoice& c : serialChoices(kFields[i]))
            combo->addItem(qtFromCp932(c.text));
        combo->setCurrentIndex(serialChoiceIndex(kFields[i], storedValue(m_settings, kFields[i])));
    }
}

void CSetSerial::accept() {
    SerialSettings s;
    // The entries are the core's own CP932 texts.
    s.portNumber = portNumberFromChoice(cp932FromQt(m_boxes[0]->currentText()).value_or(""));
    s.baudRate = serialChoiceValue(SerialField::BaudRate, m_boxes[1]->currentIndex());
    s.byteSize = serialChoiceValue(SerialField::ByteSize, m_boxes[2]->currentIndex());
    s.parity = serialChoiceValue(SerialField::Parity, m_boxes[3]->currentIndex());
    s.stopBits = serialChoiceValue(SerialField::StopBits, m_boxes[4]->currentIndex());
    s.flowControl = serialChoiceValue(SerialField::FlowControl, m_boxes[5]->currentIndex());
    m_settings = s;
    QDialog::accept();
}
