// Qt's own dialogs, opened by the program's commands, speak Japanese once Qt's translation is
// loaded; screenshots of each go to the shot folder.
#include "ViewFixture.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/QtTranslation.h"
#include "common/DialogTestSupport.h"
#include "res/ResourceIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTranslator>
#include <algorithm>

using namespace viewtest;
using dlgtest::whenModal;

namespace {

// The texts a user reads in a dialog: its title, labels, buttons, group boxes, and the texts
// and tool tips of its actions (the preview's tool bar).
QStringList textsOf(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (auto* label : dialog->findChildren<QLabel*>())
        if (label->isVisibleTo(dialog))
            texts << label->text();
    for (auto* button : dialog->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(dialog))
            texts << button->text() << button->toolTip();
    for (auto* box : dialog->findChildren<QGroupBox*>())
        texts << box->title();
    for (auto* action : dialog->findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    texts.removeAll(QString());
    return texts;
}

} // namespace

class QtDialogsJapaneseTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        m_translation = installQtTranslation(*qApp);
        ASSERT_NE(m_translation, nullptr)
            << "no qtbase_ja.qm in Qt's translations folder (Debian: qt6-translations-l10n)";
    }
    void TearDown() override {
        // The other tests of this executable read Qt's English texts.
        if (m_translation) {
            QCoreApplication::removeTranslator(m_translation);
            delete m_translation;
        }
        ViewTest::TearDown();
    }

    QTranslator* m_translation = nullptr;
};

TEST_F(QtDialogsJapaneseTest, TheProgramsQtDialogsSpeakJapanese) {
    load(generatedDays([] {
        ReportGenOptions o;
        o.firstDay = DateTime::make(2024, 5, 1);
        return o;
    }()));
    selectDaily(0);
    struct Row {
        const char* shot;
        int command;
        QStringList japanese; // each among the dialog's texts
        QStringList english;  // none of these
    } rows[] = {
        {"qt_ja_import_file_dialog",
         res::ID_CUST_IMPORT,
         {QStringLiteral("ファイル名(&N):"), QStringLiteral("ファイルの種類:"),
          QStringLiteral("開く"), QStringLiteral("キャンセル")},
         {"Look in:", "File name:", "Files of type:", "&Open", "Open", "Cancel"}},
        {"qt_ja_pdf_save_dialog",
         res::ID_FILE_PDF,
         {QStringLiteral("名前を付けて保存"), QStringLiteral("ファイル名(&N):"),
          QStringLiteral("保存(&S)"), QStringLiteral("キャンセル")},
         {"Look in:", "File name:", "Files of type:", "&Save", "Save", "Cancel"}},
        {"qt_ja_print_setup",
         res::ID_FILE_PRINT_SETUP,
         {QStringLiteral("プリンタの設定"), QStringLiteral("プリンタ"),
          QStringLiteral("名前(&N):")},
         {"Printer", "&Name:", "P&roperties", "&Options >>", "Cancel"}},
        {"qt_ja_print_preview",
         res::ID_FILE_PRINT_PREVIEW,
         {QStringLiteral("印刷のプレビュー"), QStringLiteral("縮小"), QStringLiteral("拡大")},
         {"Print Preview", "Zoom out", "Zoom in", "Close"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shot);
        QStringList texts;
        bool shown = false;
        whenModal([&](QWidget* dialog) {
            shown = true;
            QApplication::processEvents();
            texts = textsOf(dialog);
            dialog->grab().save(shotDir() + "/" + row.shot + ".png");
            static_cast<QDialog*>(dialog)->reject();
        });
        m_frame->action(row.command)->trigger();
        ASSERT_TRUE(shown);
        // A title may go on with the document's name ("印刷のプレビュー: 日報_…").
        for (const QString& text : row.japanese)
            EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                    [&](const QString& t) { return t.startsWith(text); }))
                << text.toStdString() << " not in " << texts.join(" | ").toStdString();
        for (const QString& text : row.english)
            EXPECT_FALSE(texts.contains(text)) << text.toStdString();
    }
}

TEST_F(QtDialogsJapaneseTest, EditFieldsHaveAJapaneseContextMenu) {
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains(QStringLiteral("コピー(&C)"))) << texts.join(" | ").toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("&Copy")));
}

// Taskbars and Alt+Tab show the window's icon: the frame keeps the program's.
TEST_F(ViewTest, TheMainWindowShowsTheProgramIcon) {
    const QIcon before = qApp->windowIcon();
    qApp->setWindowIcon(programIcon());
    CMainFrame frame(&m_doc, &m_settings);
    EXPECT_FALSE(frame.testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_EQ(frame.windowIcon().cacheKey(), qApp->windowIcon().cacheKey());
    qApp->setWindowIcon(before);
}
