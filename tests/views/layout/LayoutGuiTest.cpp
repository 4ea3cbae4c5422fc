#include "SamplePage.h"
#include "common/Cp932.h"
#include "views/layout/PageRender.h"
#include "views/layout/TextBox.h"
#include "views/layout/gui/JapaneseFonts.h"
#include "views/layout/gui/QPainterDeviceContext.h"
#include "views/layout/gui/QtLayoutHost.h"
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QString shotDir() {
    QDir().mkpath(QStringLiteral(ORVO_SHOT_DIR));
    return QStringLiteral(ORVO_SHOT_DIR);
}

// A widget that shows a page the way the views do: place on resize, paint from the layout.
class PageWidget : public QWidget {
public:
    explicit PageWidget(int charts, int points, int rows)
        : m_host(this), m_page(buildPage(charts, points, rows)) {
        m_host.setScrollHandler([this](LayoutEvent e) {
            QPainterDeviceContext dc(*this);
            dc.setMapMode(MM_LOMETRIC);
            e.dc = &dc;
            int id = 0;
            m_page.root->notify(e, &m_host, id);
        });
        int nextId = 1000;
        m_page.root->notify(LayoutEvent{LayoutEvent::CreateWindows}, &m_host, nextId);
    }
    sample_page::Page& page() { return m_page; }

protected:
    void resizeEvent(QResizeEvent*) override {
        QPainterDeviceContext dc(*this);
        dc.setMapMode(MM_LOMETRIC);
        page_render::place(*m_page.root, &m_host, dc, MM_LOMETRIC,
                           dc.toLogical(Rect{0, 0, width(), height()}));
    }
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        QPainterDeviceContext dc(painter);
        dc.setMapMode(MM_LOMETRIC);
        const QRect r = event->rect();
        dc.setUpdateRect(Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
        page_render::paint(*m_page.root, &m_host, dc);
    }

private:
    sample_page::Page buildPage(int charts, int points, int rows) {
        QPainterDeviceContext dc(*this);
        dc.setMapMode(MM_LOMETRIC);
        return sample_page::build(dc, charts, points, rows);
    }

    QtLayoutHost m_host;
    sample_page::Page m_page;
};

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff))
                ++n;
    return n;
}

TEST(LayoutGui, JapaneseFacesResolveToInstalledIpaFonts) {
    installJapaneseFontSubstitutes();
    struct Case {
        const char* face;
        const char* family;
    };
    const Case cases[] = {{"ＭＳ ゴシック", "IPAGothic"},
                          {"ＭＳ Ｐゴシック", "IPAPGothic"},
                          {"MS UI Gothic", "IPAPGothic"}};
    for (const Case& c : cases) {
        QFont font(QString::fromUtf8(c.face));
        font.setPixelSize(20);
        EXPECT_EQ(QFontInfo(font).family(), QString::fromUtf8(c.family)) << c.face;
        EXPECT_TRUE(QFontMetrics(font).inFontUcs4(U'電')) << c.face;
    }
}

TEST(LayoutGui, WidgetsUseTheProportionalFace) {
    const QFont before = QApplication::font();
    useProportionalUiFont();
    const QFont ui = QApplication::font();
    EXPECT_EQ(QFontInfo(ui).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(ui.pointSizeF(), before.pointSizeF());
    // Proportional: a narrow letter takes less room than a wide one.
    const QFontMetrics metrics(ui);
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("WWWW")));
    QApplication::setFont(before);
}

TEST(LayoutGui, FittedTextFitsWithRealMetrics) {
    installJapaneseFontSubstitutes();
    QImage image(600, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterDeviceContext dc(painter);
    TextBox box;
    box.setFont(FontSpec::make(dc, txt::layout::kFaceGothic, 10));
    box.setText(sj("需要家名称"));
    page_render::place(box, nullptr, dc, MM_LOMETRIC, Rect{0, 0, 1000, -100});
    const int32_t height = box.font().height;
    EXPECT_GT(height, 10);
    const Rect target = dc.toDevice(box.insetRect(dc)).normalised();
    const Size size = dc.textExtent(box.text(), &box.font());
    EXPECT_LE(dc.toDevice(Rect{0, 0, size.cx, -size.cy}).normalised().width(), target.width());
    FontSpec bigger = box.font();
    bigger.height = height + 1;
    EXPECT_FALSE(dc.fitsIn(box.insetRect(dc), box.text(), bigger));
}

TEST(LayoutGui, SamplePageOnScreen) {
    installJapaneseFontSubstitutes();
    PageWidget widget(2, 49, 60);
    widget.resize(900, 1150);
    widget.show();
    QApplication::processEvents();
    const QImage shot = widget.grab().toImage();
    ASSERT_TRUE(shot.save(shotDir() + QStringLiteral("/layout_page.png")));
    // The table's right end with its scroll bar, enlarged for a closer look.
    shot.copy(680, 0, 220, 340)
        .scaled(440, 680)
        .save(shotDir() + QStringLiteral("/layout_table_corner.png"));
    EXPECT_GT(countColour(shot, qRgb(255, 150, 150)), 500); // forward bars
    EXPECT_GT(countColour(shot, qRgb(180, 255, 180)), 200); // reverse bars
    EXPECT_GT(countColour(shot, qRgb(0, 0, 255)), 200);     // power-factor line
    EXPECT_GT(countColour(shot, qRgb(247, 247, 247)), 500); // header fills
    // The 61 data rows do not fit the 13 grid rows: the table scrolls.
    QScrollBar* vbar = nullptr;
    for (QScrollBar* bar : widget.findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical && bar->isVisible())
            vbar = bar;
    ASSERT_NE(vbar, nullptr);
    EXPECT_EQ(vbar->maximum(), 61 - 13);
}

TEST(LayoutGui, ScrollBarActionScrollsTheTable) {
    installJapaneseFontSubstitutes();
    PageWidget widget(1, 49, 60);
    widget.resize(800, 1000);
    widget.show();
    QApplication::processEvents();
    TextTable& table = *widget.page().table;
    ASSERT_EQ(table.cellBox(0, 1).text(), "00:00");
    QScrollBar* vbar = nullptr;
    for (QScrollBar* bar : widget.findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Vertical && bar->isVisible())
            vbar = bar;
    ASSERT_NE(vbar, nullptr);
    vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(vbar->value(), 1);
    EXPECT_EQ(table.cellBox(0, 1).text(), "00:30");
    EXPECT_EQ(table.cellBox(0, 0).text(), sj("時間"));     // header row stays
    vbar->triggerAction(QAbstractSlider::SliderToMaximum); // not a scroll code: ignored
    EXPECT_EQ(vbar->value(), 1);
    vbar->setSliderPosition(10); // dragging the thumb
    EXPECT_EQ(vbar->value(), 10);
    EXPECT_EQ(table.cellBox(0, 1).text(), "05:00");
}

TEST(LayoutGui, SamplePageOnOneA4PdfPage) {
    installJapaneseFontSubstitutes();
    const QString path = shotDir() + QStringLiteral("/layout_page.pdf");
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        QPainter painter(&writer);
        QPainterDeviceContext dc(painter);
        dc.setMapMode(MM_LOMETRIC);
        dc.setPrinting(true);
        sample_page::Page page = sample_page::build(dc, 2, 49, 60);
        // 20 mm at the sides, 25 mm at top and bottom, as printed pages have.
        const Rect area = dc.deflateLogical(dc.toLogical(dc.deviceBounds()), 200, 250, 200, 250);
        page_render::place(*page.root, nullptr, dc, MM_LOMETRIC, area);
        page_render::paint(*page.root, nullptr, dc);
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(20000))
        GTEST_SKIP() << "pdfinfo not available";
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("(A4)"))) << out.toStdString();
}

} // namespace
