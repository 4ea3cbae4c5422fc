#pragma once
#include "link/ReceptionWorker.h"
#include "link/SerialPort.h"
#include <QDialog>
#include <QStringList>
#include <memory>

class CAnimateCtrl;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

// "データの受信": receives one report from the recorder (or reads a captured file) on a worker
// thread, shows its progress, and hands over the received days when it ends with OK.
// "中断／戻る", Escape and the close box stop the worker and end with Cancel.
class CCommRead : public QDialog, private ReceptionNoticeSink {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 30000;

    CCommRead(const ReceptionRequest& request, QWidget* parent = nullptr);
    ~CCommRead() override;

    // The days of a reception that ended with OK (empty otherwise); call once after exec().
    MeasurementCircuit takeReceivedDays();
    // The same with what the user is to be told when the reception was cut inside a block.
    ReceptionHandover takeHandover();

    QLabel* statusLine() const { return m_status; }
    // The port of a serial reception and, until data flows, what to do on the recorder.
    QLabel* portLine() const { return m_portLine; }
    QListWidget* lineList() const { return m_list; }
    QCheckBox* showLinesBox() const { return m_showLines; }
    QPushButton* cancelButton() const { return m_cancel; }
    CAnimateCtrl* animation() const { return m_animation; }
    // True once the worker has sent its last notice.
    bool workerFinished() const { return m_finished; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onReceptionNotice(ReceptionNotice notice) override; // worker thread
    void handleNotice(const ReceptionNotice& notice);
    void addLine(const QString& text, bool toStatus);
    void flushLines();
    void finishWithOk();
    void stopWorker();

    ReceptionRequest m_request;
    SerialPort m_port;
    std::unique_ptr<ReceptionWorker> m_worker;
    ReceptionHandover m_received;
    QLabel* m_status = nullptr;
    QLabel* m_portLine = nullptr;
    QString m_portText;
    CAnimateCtrl* m_animation = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_showLines = nullptr;
    QPushButton* m_cancel = nullptr;
    QStringList m_pendingLines; // added to the list together, a few times a second
    QTimer* m_flushTimer = nullptr;
    bool m_started = false;
    bool m_finished = false; // the worker posted code 3 or 4
    bool m_stopping = false; // Cancel is waiting for the worker
};
