#include "link/gui/D_SetSerial.h"
#include "link/LinkTexts.h"
#include "link/PortProbe.h"
#include "link/SerialChoices.h"
#include "link/gui/D_Information.h"
#include "res/ResourceIds.h"
#include "support/FilePath.h"
#include "support/Prompt.h"
#include "support/gui/DialogParts.h"
#include "support/gui/QtCp932.h"
#include "support/gui/QtPath.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
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

CSetSerial::CSetSerial(const SerialSettings& settings, PortDeviceLookup lookup,
                       PortDeviceStore store, Prompt& prompt, QWidget* parent, Probe probe)
    : QDialog(parent), m_settings(settings), m_lookup(std::move(lookup)), m_store(std::move(store)),
      m_prompt(prompt), m_probe(std::move(probe)) {
    if (!m_probe)
        m_probe = [] { return probeSerialDevices(); };
    setObjectName("setSerialDialog");
    setWindowTitle(QStringLiteral("通信設定"));
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));

    auto* form = new QFormLayout;
    auto addRow = [&](QComboBox* combo, int id, const char* text, const char* name) {
        combo->setObjectName(QString::fromLatin1(name));
        combo->setProperty("controlId", id);
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QString::fromLatin1(name) + "Label");
        label->setProperty("controlId", res::IDC_STATIC);
        label->setBuddy(combo);
        dialog::nameAfter(label, combo);
        form->addRow(label, combo);
    };
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = new QComboBox(this);
        m_boxes[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        addRow(m_boxes[i], kBoxes[i].id, kBoxes[i].label, kBoxes[i].name);
        if (i == 0) {
            // The device of the port, right under its number. Long stable names must not
            // stretch the dialog: the list opens as wide as its entries instead.
            m_device = new QComboBox(this);
            m_device->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            m_device->setMinimumContentsLength(34);
            addRow(m_device, res::IDC_SERIAL_DEVICE, "デバイス：", "device");
        }
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
    connect(m_boxes[0], &QComboBox::currentIndexChanged, this, &CSetSerial::fillDevices);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setTabOrder(m_boxes[0], m_device);
    setTabOrder(m_device, m_boxes[1]);
    for (std::size_t i = 1; i + 1 < m_boxes.size(); ++i)
        setTabOrder(m_boxes[i], m_boxes[i + 1]);
    setTabOrder(m_boxes.back(), m_ok);
    setTabOrder(m_ok, m_cancel);
    fill();
}

int CSetSerial::exec() {
    probePorts();
    return QDialog::exec();
}

void CSetSerial::probePorts() {
    // Opening every device may take long: the probe runs on its own thread while the
    // information window keeps turning.
    CInformation info(QStringLiteral("利用可能なポートを探しています\nしばらくお待ちください"),
                      parentWidget());
    info.setWindowModality(Qt::ApplicationModal);
    info.show();
    QEventLoop loop;
    std::vector<SerialDeviceEntry> found;
    std::thread probe([&] {
        found = m_probe();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    probe.join();
    info.close();
    m_found = std::move(found);
    fill();
}

void CSetSerial::fill() {
    QComboBox* port = m_boxes[0];
    {
        const QSignalBlocker quiet(port);
        port->clear();
        const std::vector<int> offered = portChoiceNumbers(m_settings.portNumber);
        for (int n : offered)
            port->addItem(qtFromCp932(portChoiceText(n, m_lookup)), n);
        port->setCurrentIndex(portChoiceIndex(offered, m_settings.portNumber));
    }
    fillDevices();
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        QComboBox* combo = m_boxes[i + 1];
        combo->clear();
        for (const SerialChoice& c : serialChoices(kFields[i]))
            combo->addItem(qtFromCp932(c.text));
        combo->setCurrentIndex(serialChoiceIndex(kFields[i], storedValue(m_settings, kFields[i])));
    }
}

std::filesystem::path CSetSerial::mappedDevice() const {
    return serialDevicePath(m_boxes[0]->currentData().toInt(), m_lookup);
}

void CSetSerial::fillDevices() {
    // The devices present; the port's own device first when it is not among them, so that OK
    // without a choice keeps it.
    m_device->clear();
    // Each entry holds its device's own bytes; only its text is for showing.
    const std::filesystem::path mapped = mappedDevice();
    const QByteArray mappedBytes = QByteArray::fromStdString(mapped.native());
    for (const SerialDeviceEntry& e : m_found) {
        m_device->addItem(qtFromCp932(serialDeviceChoiceText(e)),
                          QByteArray::fromStdString(e.path.native()));
        m_device->setItemData(m_device->count() - 1, qtFromPath(e.path), Qt::ToolTipRole);
        if (e.path == mapped)
            m_device->setCurrentIndex(m_device->count() - 1);
    }
    if (m_device->findData(mappedBytes) < 0) {
        m_device->insertItem(0, qtFromPath(mapped) + QStringLiteral("（見つかりません）"),
                             mappedBytes);
        m_device->setCurrentIndex(0);
    }
    m_device->view()->setMinimumWidth(m_device->view()->sizeHintForColumn(0) + 24);
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
    const std::filesystem::path device(m_device->currentData().toByteArray().toStdString());
    if (device != mappedDevice() && !(m_store && m_store(s.portNumber, device))) {
        m_prompt.tell(txt::link::kPortDeviceNotStored, PromptIcon::Stop);
        return;
    }
    m_settings = s;
    QDialog::accept();
}
