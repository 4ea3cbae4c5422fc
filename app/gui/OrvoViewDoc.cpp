#include "app/gui/OrvoViewDoc.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/View.h"
#include "support/FilePath.h"
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <malloc.h>

namespace {
COrvoViewDoc* s_current = nullptr;
}

COrvoViewDoc::COrvoViewDoc() {
    s_current = this;
}

COrvoViewDoc::~COrvoViewDoc() {
    // A read still running writes into m_read: let it end first.
    if (m_loader)
        m_loader->wait();
    // Views outlive nothing of ours: forget them so their destructors do not call back.
    m_views.clear();
    if (s_current == this)
        s_current = nullptr;
}

COrvoViewDoc* COrvoViewDoc::current() {
    return s_current;
}

void COrvoViewDoc::addView(CView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void COrvoViewDoc::removeView(CView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void COrvoViewDoc::updateAllViews(CView* sender, int hint, const void* object) {
    // A view may switch panes while it handles a hint; walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender)
            view->onUpdate(sender, hint, object);
}

const YearReport& COrvoViewDoc::yearReport(const DisplaySelection& selection) {
    YearKey key;
    if (selection.isValid() && selection.isYearly() && selection.circuit) {
        key = {selection.circuit, selection.year, monthStartDay(),
               AnalysisSettings::load(analysisSettingsPath(dataFolder()))
                   .limitsFor(selection.customerName, selection.circuitName)};
    }
    if (!(key == m_yearKey) || !key.circuit) {
        m_yearKey = key;
        m_yearReport = key.circuit ? analyseYear(*key.circuit, key.year, key.limits, key.startDay)
                                   : YearReport();
    }
    return m_yearReport;
}

void COrvoViewDoc::select(const SelectionTuple& tuple, int displayChannel) {
    // The store may have changed under the same circuit: the year is computed anew.
    m_yearKey = {};
    m_data.select(tuple, displayChannel);
    const DisplaySelection& selection = m_data.currentSelection();
    if (m_sink) {
        m_sink->afterSelect(selection);
        const std::array<double, 3> values = m_sink->scaleValues();
        for (int box = 0; box < 3; ++box)
            if (values[static_cast<size_t>(box)] >= 0)
                updateAllViews(nullptr, hint::scale(box), &values[static_cast<size_t>(box)]);
    }
    updateAllViews(nullptr, hint::Select, &selection);
}

void COrvoViewDoc::loadOnce(Prompt& prompt) {
    if (m_loaded || m_loader)
        return;
    m_data.loadOnce(prompt);
    m_loaded = true;
    emit titleChanged(QString::fromLatin1(datafile::kFileName));
}

void COrvoViewDoc::startLoad(Prompt& prompt) {
    if (m_loaded || m_loader)
        return;
    if (!m_data.prepareLoad(prompt)) {
        m_loaded = true;
        emit titleChanged(QString::fromLatin1(datafile::kFileName));
        emit loadFinished();
        return;
    }
    std::error_code ec;
    const std::string path = m_data.dataFilePath();
    const auto size = std::filesystem::file_size(nativePath(path), ec);
    m_loadBytes = ec ? 0 : static_cast<uint64_t>(size);
    m_loadedBytes = 0;
    m_loadPrompt = &prompt;
    if (m_loadBytes < m_backgroundBytes) {
        takeLoad(DocumentData::readDataFile(path));
        return;
    }
    // One malloc arena: the worker's own arena would grow in small heaps, page-faulted anew,
    // which made the read on the worker about twice as slow as on the main thread. The
    // program's few threads hardly contend for it.
    mallopt(M_ARENA_MAX, 1);
    m_read = std::make_unique<DocumentData::ReadData>();
    m_loader.reset(QThread::create([this, path] {
        if (m_beforeRead)
            m_beforeRead();
        *m_read = DocumentData::readDataFile(path, &m_loadedBytes);
    }));
    // Queued to this thread: the document takes the result where the windows live.
    connect(m_loader.get(), &QThread::finished, this, &COrvoViewDoc::finishLoadNow,
            Qt::QueuedConnection);
    m_loader->start();
}

void COrvoViewDoc::finishLoadNow() {
    if (!m_loader)
        return;
    m_loader->wait();
    m_loader.reset();
    DocumentData::ReadData read = std::move(*m_read);
    m_read.reset();
    takeLoad(std::move(read));
}

void COrvoViewDoc::takeLoad(DocumentData::ReadData read) {
    m_data.finishLoad(std::move(read), *m_loadPrompt);
    m_loadPrompt = nullptr;
    m_loaded = true;
    emit titleChanged(QString::fromLatin1(datafile::kFileName));
    emit loadFinished();
}
