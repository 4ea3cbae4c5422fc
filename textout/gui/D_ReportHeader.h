#pragma once
#include "textout/ReportHeader.h"
#include <QDialog>
#include <array>
#include <string>

class Prompt;
class QCheckBox;
class QLineEdit;
class QSpinBox;

// 報告書ヘッダーの設定: the header of the printed pages and workbooks of the shown circuit, kept
// in the DATA folder's report header file when OK is pressed.
class CReportHeader : public QDialog {
    Q_OBJECT
public:
    // customer and circuit (CP932) name the shown report; the file is read at once.
    CReportHeader(std::string path, std::string customer, std::string circuit, Prompt& prompt,
                  QWidget* parent = nullptr);

    // The header as the controls hold it.
    ReportHeader headerFromControls() const;

    QCheckBox* shown() const { return m_shown; }
    QLineEdit* inspector() const { return m_inspector; }
    QLineEdit* company() const { return m_company; }
    QLineEdit* address() const { return m_address; }
    QLineEdit* remarks() const { return m_remarks; }
    QCheckBox* customerOwn() const { return m_customerOwn; }
    QSpinBox* stampCount() const { return m_stampCount; }
    QLineEdit* stampCaption(int i) const { return m_captions[static_cast<std::size_t>(i)]; }

private:
    void showHeader(const ReportHeader& header);
    void updateCaptions();
    void onOk();

    std::string m_path, m_customer, m_circuit;
    Prompt& m_prompt;
    ReportHeaderSettings m_settings;
    QCheckBox* m_shown;
    QLineEdit* m_inspector;
    QLineEdit* m_company;
    QLineEdit* m_address;
    QLineEdit* m_remarks;
    QCheckBox* m_customerOwn;
    QSpinBox* m_stampCount;
    std::array<QLineEdit*, kMaxStampBoxes> m_captions{};
};
