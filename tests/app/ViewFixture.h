#pragma once
#include "FrameFixture.h"
#include "common/Cp932.h"
#include "common/DialogTestSupport.h"
// A main frame with a document for the view tests, and the generated days they show.
#include "app/AppSettings.h"
#include "app/gui/MainFrame.h"
#include "app/gui/OrvoViewDoc.h"
#include "app/gui/SelectorBar.h"
#include "res/ResourceIds.h"
#include "support/Sjis.h"
#include "support/gui/PaneSplitter.h"
#include "tools/reportgen/ReportGenerator.h"
#include "views/layout/gui/JapaneseFonts.h"
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace viewtest {

// Standard output of a program (pdfinfo, pdftotext); empty when it does not finish in a minute.
inline QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString shotDir() {
    QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
    return QStringLiteral(ORVO_SHOT_DIR);
}

// Days from the report generator, as the parser reads them back.
inline std::vector<MeasurementDay> generatedDays(ReportGenOptions options) {
    options.outages = false;
    ReportGenerator generator(options);
    generator.generate();
    std::vector<MeasurementDay> days;
    const MeasurementCircuit& c = generator.expectedDays();
    for (int i = 0; i < c.days.count(); ++i)
        days.push_back(c.days.at(i));
    return days;
}

// Scales a day's powers and voltages (a high-voltage circuit behind its transformers).
inline void scaleDay(MeasurementDay& day, double power, double voltage) {
    for (int i = 0; i < day.data.intervals.count(); ++i) {
        IntervalSample& s = day.data.intervals.at(i);
        s.power *= power;
        s.reversePower *= power;
        for (double& v : s.voltage)
            v *= voltage;
    }
    DaySummary& s = day.data.summary;
    for (double* v :
         {&s.energy, &s.reverseEnergy, &s.averagePower, &s.reverseAveragePower, &s.maxDemand.value,
          &s.reverseMaxDemand.value, &s.peakPower.value, &s.reversePeakPower.value})
        *v *= power;
    for (size_t i = 0; i < 3; ++i) {
        s.averageVoltage[i] *= voltage;
        s.peakVoltage[i].value *= voltage;
        s.minVoltage[i].value *= voltage;
    }
}

// 2024-05-01 of a 3相4線 circuit with reverse power behind 60:1 transformers: kW and kV.
inline std::vector<MeasurementDay> fourWireKilowattDay() {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.circuitType1 = CircuitThreePhase4Wire;
    o.reverse = true;
    std::vector<MeasurementDay> days = generatedDays(o);
    scaleDay(days[0], 60.0, 60.0);
    return days;
}

// May 2024 of a 3相4線 circuit with reverse power, where 5/2 lacks its 2nd and 3rd samples, 5/3
// has an outage of three samples without voltage and 5/31 ends after its 8th sample.
inline std::vector<MeasurementDay> incompleteMonth() {
    ReportGenOptions o;
    o.firstDay = DateTime::make(2024, 5, 1);
    o.days = 31;
    o.circuitType1 = CircuitThreePhase4Wire;
    o.reverse = true;
    std::vector<MeasurementDay> days = generatedDays(o);
    auto& gap = days[1].data.intervals;
    gap.removeAt(1);
    gap.removeAt(1);
    for (int i = 20; i < 23; ++i)
        days[2].data.intervals.at(i).voltage = {0.0, 0.0, 0.0};
    auto& end = days[30].data.intervals;
    while (end.count() > 8)
        end.removeAt(end.count() - 1);
    return days;
}

// The commands that open a dialog of their own (not a file dialog), for the checks that walk
// every dialog of the program.
inline constexpr int kDialogCommands[] = {
    res::ID_SELECT_DATA,     res::ID_CUST_EDIT,     res::ID_CUST_EXPORT, res::ID_MON_START_DAY,
    res::ID_SERIAL_SETTINGS, res::ID_READ_DATA,     res::ID_TXT_OUT,     res::ID_XLSX_OUT,
    res::ID_BATCH_OUT,       res::ID_REPORT_HEADER, res::ID_APP_ABOUT};

class ViewTest : public FrameFixture {
protected:
    void SetUp() override {
        installJapaneseFontSubstitutes();
        FrameFixture::SetUp();
    }

    // One customer ("東京第一工場" unless named) with the circuit "受電 No.1" holding the days.
    void load(const std::vector<MeasurementDay>& days,
              const std::string& customer = sj("東京第一工場")) {
        MeasurementStore store;
        const int c = store.insert(customer);
        const int k = store.at(c).circuits.insert(sj("受電 No.1"));
        for (const MeasurementDay& d : days)
            store.at(c).circuits.at(k).addOrReplaceDay(d);
        m_doc.replaceStore(std::move(store));
    }
    void selectDaily(int dayIndex) { m_doc.select({0, 0, dayIndex, -1, -1}, 1); }
    void selectMonthly(int dayIndex, int year, int month) {
        m_frame->selectorBar()->kind()->setCurrentIndex(1);
        m_doc.select({0, 0, dayIndex, year, month}, 1);
    }
    // Opens the dialog of `command` through its command, hands it to `look` once it shows and
    // closes it again; false when no dialog came.
    bool lookAtDialogOf(int command, const std::function<void(QDialog*)>& look) {
        bool shown = false;
        dlgtest::whenModal([&](QWidget* dialog) {
            shown = true;
            QApplication::processEvents();
            look(static_cast<QDialog*>(dialog));
            static_cast<QDialog*>(dialog)->reject();
        });
        if (!m_frame->action(command)->isEnabled())
            return false;
        m_frame->action(command)->trigger();
        return shown;
    }
    template <typename V> V* view(int index) {
        return static_cast<V*>(m_frame->splitter()->view(0, index));
    }
    // The frame at its size and at 1024 x 768, saved as <name>.png and <name>_1024.png.
    void shots(const QString& name) {
        QApplication::processEvents();
        m_frame->grab().save(shotDir() + "/" + name + ".png");
        const QSize size = m_frame->size();
        m_frame->resize(1024, 768);
        QApplication::processEvents();
        m_frame->grab().save(shotDir() + "/" + name + "_1024.png");
        m_frame->resize(size);
        QApplication::processEvents();
    }
};

// A day of generated data shown: every command that needs a selection is enabled, for the
// checks that walk every menu, view and dialog.
class DayShownTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        load(generatedDays([] {
            ReportGenOptions o;
            o.firstDay = DateTime::make(2024, 5, 1);
            return o;
        }()));
        selectDaily(0);
    }
};

} // namespace viewtest
