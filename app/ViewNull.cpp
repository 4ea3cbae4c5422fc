#include "app/ViewNull.h"
#include "res/ResourceIds.h"

CViewNull::CViewNull(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewNull");
    setProperty("formId", res::IDD_VIEW_NULL);
    setAutoFillBackground(true);
}
