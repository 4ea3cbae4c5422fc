#include "app/OrvoViewView.h"
#include <QPalette>

COrvoViewView* COrvoViewView::s_printingView = nullptr;

COrvoViewView::COrvoViewView(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("COrvoViewView");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    s_printingView = this;
}

COrvoViewView::~COrvoViewView() {
    if (s_printingView == this)
        s_printingView = nullptr;
}

COrvoViewView* COrvoViewView::printingView() {
    return s_printingView;
}
