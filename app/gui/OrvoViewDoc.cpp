#include "app/gui/OrvoViewDoc.h"
#include "analysis/AnalysisSettings.h"
#include "app/gui/UpdateHints.h"
#include "app/gui/View.h"
#include <algorithm>

namespace {
COrvoViewDoc* s_current = nullptr;
}

COrvoViewDoc::COrvoViewDoc() {
    s_current = this;
}

COrvoViewDoc::~COrvoViewDoc() {
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
    if (m_loaded)
        return;
    m_data.loadOnce(prompt);
    m_loaded = true;
    emit titleChanged(QString::fromLatin1(datafile::kFileName));
}
