#include "link/gui/D_CommRead.h"
#include "link/LinkTexts.h"
#include "link/SerialChoices.h"
#include "link/gui/AnimateCtrl.h"
#include "res/ResourceIds.h"
#include "support/gui/QtCp932.h"
#include <QCheckBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename W> W* tagged(W* widget, int id, const char* name) {
    widget->setProperty("controlId", id);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

CCommRead::CCommRead(const ReceptionRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {
    setObjectName("commReadDialog");
    setWindowTitle(QStringLiteral("データの受信"));
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));

    m_animation = tagged(new CAnimateCtrl(this), res::IDC_COMM_ANIMATE, "animation");
    m_animation->setAccessibleName(QStringLiteral("受信中"));
    m_status = tagged(new QLabel(this), res::IDC_COMM_STATUS, "statusLine");
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setAccessibleName(QStringLiteral("状態"));
    m_portLine = tagged(new QLabel(this), res::IDC_COMM_PORT, "portLine");
    m_portLine->setWordWrap(true);
    m_portLine->setAccessibleName(QStringLiteral("ポート"));
    if (request.fromFile || request.debugSerial) {
        m_portLine->hide();
    } else {
        m_portText = qtFromCp932(portDescription(request.port.portNumber, request.deviceLookup));
        m_portLine->setText(m_portText + QStringLiteral("\n記録計の送信操作を行ってください"));
    }
    m_list = tagged(new QListWidget(this), res::IDC_COMM_LIST, "lineList");
    m_list->setUniformItemSizes(true);
    m_list->setAccessibleName(QStringLiteral("受信データ"));
    m_showLines = tagged(new QCheckBox(QStringLiteral("収集データを表示する"), this),
                         res::IDC_COMM_SHOWLINES, "showLines");
    m_showLines->setChecked(true);
    auto* note = tagged(
        new QLabel(QStringLiteral("（このチェックを外すと受信時間が若干短縮出来ます)"), this),
        res::IDC_STATIC, "showLinesNote");
    m_cancel = tagged(new QPushButton(QStringLiteral("中断／戻る"), this), res::IDCANCEL, "cancel");
    m_cancel->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_animation);
    top->addWidget(m_status, 1);
    auto* bottom = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_showLines);
    checks->addWidget(note);
    bottom->addLayout(checks, 1);
    bottom->addWidget(m_cancel, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_portLine);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    setTabOrder(m_list, m_showLines);
    setTabOrder(m_showLines, m_cancel);
    resize(560, 440);

    ReceptionNoticeSink& sink = *this;
    m_flushTimer = new QTimer(this);
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(50);
    connect(m_flushTimer, &QTimer::timeout, this, &CCommRead::flushLines);

    m_worker = std::make_unique<ReceptionWorker>(m_port, sink, request.programLog);
    connect(m_showLines, &QCheckBox::toggled, this,
            [this](bool on) { m_worker->setShowLines(on); });
    connect(m_cancel, &QPushButton::clicked, this, &CCommRead::reject);
}

CCommRead::~CCommRead() {
    // The worker posts to this object: it must have ended before the object goes.
    m_worker.reset();
}

MeasurementCircuit CCommRead::takeReceivedDays() {
    return std::move(m_received.days);
}

ReceptionHandover CCommRead::takeHandover() {
    return std::move(m_received);
}

void CCommRead::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_animation->play();
    m_worker->setShowLines(m_showLines->isChecked());
    m_worker->start(m_request);
}

void CCommRead::onReceptionNotice(ReceptionNotice notice) {
    // Hand the copy over to the dialog's thread; it is dropped if the dialog is gone.
    QMetaObject::invokeMethod(
        this, [this, notice] { handleNotice(notice); }, Qt::QueuedConnection);
}

void CCommRead::handleNotice(const ReceptionNotice& notice) {
    switch (notice.code) {
    case ReceptionNotice::AddLine:
    case ReceptionNotice::LogAndAddLine: // the worker has written it to the program log
        addLine(qtFromCp932(notice.text), notice.showInStatus);
        if (notice.text == txt::link::kReceiving && !m_portText.isEmpty())
            m_portLine->setText(m_portText); // the recorder is sending
        break;
    case ReceptionNotice::Succeeded:
        flushLines();
        m_finished = true;
        if (!m_stopping)
            finishWithOk();
        break;
    case ReceptionNotice::Failed:
        flushLines();
        m_finished = true;
        m_animation->stop();
        m_status->setText(qtFromCp932(txt::link::kReceptionProblem));
        break;
    default:
        break;
    }
}

void CCommRead::addLine(const QString& text, bool toStatus) {
    // One list change per batch: a line at a time cannot keep up with a fast recorder.
    m_pendingLines << text;
    if (m_pendingLines.size() > kMaxLines)
        m_pendingLines.removeFirst();
    if (!m_flushTimer->isActive())
        m_flushTimer->start();
    if (toStatus)
        m_status->setText(text);
}

void CCommRead::flushLines() {
    m_flushTimer->stop();
    if (m_pendingLines.isEmpty())
        return;
    const int excess = m_list->count() + int(m_pendingLines.size()) - kMaxLines;
    if (excess > 0)
        m_list->model()->removeRows(0, std::min(excess, m_list->count()));
    m_list->addItems(m_pendingLines);
    m_pendingLines.clear();
    m_list->setCurrentRow(m_list->count() - 1);
}

void CCommRead::finishWithOk() {
    m_animation->stop();
    m_cancel->setEnabled(false);
    m_worker->join(); // the end notice is the worker's last act
    m_received = m_worker->takeHandover();
    accept();
}

void CCommRead::stopWorker() {
    if (!m_started || m_finished) {
        m_worker->join();
        return;
    }
    // Wait for the worker's last notice while handling the ones it posts meanwhile.
    setEnabled(false);
    m_stopping = true;
    m_worker->requestStop();
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (m_finished || !m_worker->running())
            loop.quit();
    });
    poll.start(10);
    loop.exec();
    m_worker->join();
    flushLines();
    m_stopping = false;
    setEnabled(true);
}

void CCommRead::reject() {
    if (m_stopping)
        return; // the close box again while stopping
    stopWorker();
    m_animation->stop();
    QDialog::reject();
}
