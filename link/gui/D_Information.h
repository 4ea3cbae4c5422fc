#pragma once
#include <QDialog>

class CAnimateCtrl;
class QLabel;

// The small "ｲﾝﾌｫﾒｰｼｮﾝ" window with an animation that stands while slow work runs. It has
// no buttons; the work that opened it closes it.
class CInformation : public QDialog {
    Q_OBJECT
public:
    CInformation(const QString& text, QWidget* parent = nullptr);

    QLabel* textLabel() const { return m_text; }
    CAnimateCtrl* animation() const { return m_animation; }

public slots:
    void reject() override {} // Escape and the close box do not end the work

private:
    QLabel* m_text = nullptr;
    CAnimateCtrl* m_animation = nullptr;
};
