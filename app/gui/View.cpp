#include "app/gui/View.h"
#include "app/gui/OrvoViewDoc.h"

CView::CView(COrvoViewDoc* document, QWidget* parent) : QWidget(parent), m_document(document) {
    if (m_document)
        m_document->addView(this);
}

CView::~CView() {
    if (m_document)
        m_document->removeView(this);
}

void CView::onUpdate(CView*, int, const void*) {}
