#pragma once
#include "app/gui/PageView.h"
#include "store/DAT_DisplaySelection.h"
#include "views/table/SheetPrintPage.h"
#include "views/table/SheetScreen.h"
#include "views/table/YearSheet.h"
#include <memory>

// Table view of the daily, monthly or year report; also draws the printed table pages.
class CViewSheet : public CPageView {
    Q_OBJECT
public:
    explicit CViewSheet(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CViewSheet() override;

    LayoutElement* screenPage() override;
    std::string copyText() const override;
    SheetScreen& sheet() { return *m_screen; }
    YearSheet& yearSheet() { return *m_year; }
    // True while the year table is shown.
    bool showsYear() const { return m_showsYear; }

    // Table pages of the selection to print (kept for the job).
    int TablePageCount();
    // Builds printed page `page` of `pageCount`; page 1 keeps the printer's area (device units).
    void PreparePrintPage(DeviceContext& dc, int page, int pageCount, const Rect& printArea);
    // Draws the page last prepared into the printer's device context.
    void drawPrintPage(DeviceContext& dc);

protected:
    void refillScreen() override;

private:
    std::unique_ptr<SheetScreen> m_screen;
    std::unique_ptr<YearSheet> m_year;
    bool m_showsYear = false;
    SheetPrintPage m_print;
    std::unique_ptr<YearSheet> m_yearPrint;
    Rect m_printArea;
    int m_tablePageCount = 0;
};
