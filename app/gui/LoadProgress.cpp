#include "app/gui/LoadProgress.h"
#include "app/AppTexts.h"
#include "app/gui/OrvoViewDoc.h"
#include "support/Format.h"
#include "support/gui/QtCp932.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int kSteps = 1000;
constexpr int kPollMs = 100;
} // namespace

LoadProgress::LoadProgress(COrvoViewDoc* document, QStatusBar* bar)
    : QObject(bar), m_document(document), m_bar(bar) {
    if (!document->isLoading())
        return;
    m_barWasHidden = bar->isHidden();
    bar->show();
    const double megabytes = static_cast<double>(document->loadBytes()) / (1024.0 * 1024.0);
    m_label = new QLabel(qtFromCp932(formatText(txt::app::kLoadingDataFile,
                                                document->dataFilePath().c_str(), megabytes)),
                         bar);
    m_label->setObjectName("loadLabel");
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName("loadProgress");
    m_progress->setRange(0, kSteps);
    m_progress->setAccessibleName(m_label->text());
    m_progress->setMaximumWidth(240);
    // Permanent: a message in the bar (the chart's values under the mouse) leaves it shown.
    bar->insertPermanentWidget(0, m_label);
    bar->insertPermanentWidget(1, m_progress);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &LoadProgress::update);
    m_timer->start(kPollMs);
    connect(document, &COrvoViewDoc::loadFinished, this, &LoadProgress::finish);
    update();
}

LoadProgress::~LoadProgress() = default;

void LoadProgress::update() {
    const uint64_t total = m_document->loadBytes();
    const uint64_t done = m_document->loadedBytes();
    m_progress->setValue(total ? static_cast<int>(done * kSteps / total) : 0);
}

void LoadProgress::finish() {
    m_timer->stop();
    m_bar->removeWidget(m_label);
    m_bar->removeWidget(m_progress);
    m_label->deleteLater();
    m_progress->deleteLater();
    if (m_barWasHidden)
        m_bar->hide();
    deleteLater();
}
