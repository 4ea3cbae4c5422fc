#pragma once
#include <QWidget>

class COrvoViewDoc;

// Base of the views in the main frame's client pane. The document keeps a list of its views
// and passes every update hint to each of them.
class CView : public QWidget {
    Q_OBJECT
public:
    explicit CView(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CView() override;

    COrvoViewDoc* document() const { return m_document; }

    // hint: see UpdateHints.h; object: what the hint names, or nullptr.
    virtual void onUpdate(CView* sender, int hint, const void* object);

private:
    COrvoViewDoc* m_document;
};
