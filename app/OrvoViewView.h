#pragma once
#include "app/View.h"

// The view named in the document template: blank on screen, host of the print command.
// The newest one is the program's printing view.
class COrvoViewView : public CView {
    Q_OBJECT
public:
    explicit COrvoViewView(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~COrvoViewView() override;

    static COrvoViewView* printingView();

private:
    static COrvoViewView* s_printingView;
};
