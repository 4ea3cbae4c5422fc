#pragma once
#include "app/View.h"

// Table view of the daily or monthly report.
class CViewSheet : public CView {
    Q_OBJECT
public:
    explicit CViewSheet(COrvoViewDoc* document, QWidget* parent = nullptr);
};
