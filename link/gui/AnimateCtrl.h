#pragma once
#include <QTimer>
#include <QWidget>

// A small turning wheel that shows work in progress, in place of the original's AVI.
class CAnimateCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CAnimateCtrl(QWidget* parent = nullptr);

    void play();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_step = 0;
};
