#include "app/ViewGraph.h"

CViewGraph::CViewGraph(COrvoViewDoc* document, QWidget* parent) : CView(document, parent) {
    setObjectName("CViewGraph");
    setAutoFillBackground(true);
}
