#include "app/ViewGraph.h"
#include <QPalette>

CViewGraph::CViewGraph(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewGraph");
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}
