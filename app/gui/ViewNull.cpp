#include "app/gui/ViewNull.h"
#include "res/ResourceIds.h"
#include <QPalette>

CViewNull::CViewNull(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewNull");
    setProperty("formId", res::IDD_VIEW_NULL);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}
