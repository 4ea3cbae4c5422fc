#include "app/ViewSheet.h"

CViewSheet::CViewSheet(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewSheet");
    setAutoFillBackground(true);
}
