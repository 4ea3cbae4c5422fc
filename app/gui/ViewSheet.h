#pragma once
#include "app/gui/PageView.h"
#include "store/DAT_DisplaySelection.h"
#include "views/table/SheetPrintPage.h"
#include "views/table/SheetScreen.h"
#include <memory>

// Table view of the daily or monthly report; also draws the printed table pages.
class CViewSheet : public CPageView {
    Q_OBJECT
public:
    explicit CViewSheet(COrvoViewDoc* document, QWidget* parent = nullptr);
    ~CViewSheet() override;

    LayoutElement* screenPage() override;
    std::string copyText() const override;
    SheetScreen& sheet() { return *m_screen; }

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
    SheetPrintPage m_print;
    Rect m_printArea;
    int m_tablePageCount = 0;
};
