#pragma once
#include "app/gui/View.h"

// Placeholder on an empty form: what the client pane shows before its views are added.
class CViewNull : public CView {
    Q_OBJECT
public:
    explicit CViewNull(COrvoViewDoc* document, QWidget* parent = nullptr);
};
