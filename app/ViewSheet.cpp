#include "app/ViewSheet.h"
#include <QPalette>

CViewSheet::CViewSheet(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewSheet");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}
