// Every question of the program goes through the message-box prompt: Escape and the close box
// must give the answer that changes nothing, never Yes.
#include "app/gui/MessageBoxPrompt.h"
#include "common/Cp932.h"
#include "support/Sjis.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the next box with `act` once it is shown; returns what ask() gave.
PromptAnswer answerWith(PromptButtons buttons, const std::function<void(QMessageBox*)>& act,
                        const std::string& text = "question") {
    QTimer::singleShot(50, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
    MessageBoxPrompt prompt;
    return prompt.ask(sjis::Text(text), buttons, PromptIcon::Question);
}

} // namespace

TEST(MessageBoxPrompt, EscapeAndCloseBoxNeverAnswerYes) {
    struct Case {
        PromptButtons buttons;
        PromptAnswer expected;
    } cases[] = {
        {PromptButtons::Ok, PromptAnswer::Ok},
        {PromptButtons::OkCancel, PromptAnswer::Cancel},
        {PromptButtons::YesNo, PromptAnswer::No},
        {PromptButtons::YesNoCancel, PromptAnswer::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        EXPECT_EQ(answerWith(c.buttons, [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }),
                  c.expected);
        EXPECT_EQ(answerWith(c.buttons, [](QMessageBox* b) { b->close(); }), c.expected);
        EXPECT_EQ(MessageBoxPrompt::escapeAnswer(c.buttons), c.expected);
    }
}

TEST(MessageBoxPrompt, ButtonsGiveTheirAnswers) {
    EXPECT_EQ(answerWith(PromptButtons::YesNo,
                         [](QMessageBox* b) { b->button(QMessageBox::Yes)->click(); }),
              PromptAnswer::Yes);
    EXPECT_EQ(answerWith(PromptButtons::YesNoCancel,
                         [](QMessageBox* b) { b->button(QMessageBox::No)->click(); }),
              PromptAnswer::No);
}

// A name from outside that looks like markup is shown as it is, not as rich text.
TEST(MessageBoxPrompt, TextIsPlain) {
    Qt::TextFormat format = Qt::AutoText;
    answerWith(
        PromptButtons::Ok,
        [&](QMessageBox* b) {
            format = b->textFormat();
            b->close();
        },
        "<b>A</b><img src=x>");
    EXPECT_EQ(format, Qt::PlainText);
}

// A question whose Yes destroys something answers No to Enter and to Escape.
TEST(MessageBoxPrompt, EnterAndEscapeAnswerNoWhereNoIsTheDefault) {
    const std::string question =
        sj("「東京精密工業株式会社 本社工場」と、その測定回路 2 件・測定データ 365 日分を"
           "削除します。よろしいですか？");
    EXPECT_EQ(answerWith(
                  PromptButtons::YesNoDefaultNo,
                  [](QMessageBox* b) {
                      b->grab().save(QStringLiteral(ORVO_SHOT_DIR) + "/question_remove.png");
                      QTest::keyClick(b, Qt::Key_Return);
                  },
                  question),
              PromptAnswer::No);
    EXPECT_EQ(answerWith(PromptButtons::YesNoDefaultNo,
                         [](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }),
              PromptAnswer::No);
    EXPECT_EQ(answerWith(PromptButtons::YesNoDefaultNo,
                         [](QMessageBox* b) { b->button(QMessageBox::Yes)->click(); }),
              PromptAnswer::Yes);
}
