#pragma once
// The progress of the data file's load in the status bar (its path, size and a bar), shown
// while the document reads a large file on its worker thread and removed once it is in.
#include <QObject>

class COrvoViewDoc;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

class LoadProgress : public QObject {
    Q_OBJECT
public:
    // Shows itself in `bar` (made visible for the load if the user had hidden it) while
    // `document` is loading; nothing when it is not.
    LoadProgress(COrvoViewDoc* document, QStatusBar* bar);
    ~LoadProgress() override;

private:
    void update();
    void finish();

    COrvoViewDoc* m_document;
    QStatusBar* m_bar;
    QLabel* m_label = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_timer = nullptr;
    bool m_barWasHidden = false;
};
