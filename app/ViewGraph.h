#pragma once
#include "app/View.h"

// Graph view of the daily or monthly report.
class CViewGraph : public CView {
    Q_OBJECT
public:
    explicit CViewGraph(COrvoViewDoc* document, QWidget* parent = nullptr);
};
