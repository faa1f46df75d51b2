// The information and question dialogs: how they look, which answer each key and button gives,
// and the message seam that creates them for one message each.
#include "MessageDialogs.h"
#include "ModalDriver.h"
#include "TaviroInfoCode.h"
#include "TaviroQuestCode.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

template <typename Form> int openForms()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<Form*>(widget))
            ++count;
    return count;
}

void expectCommonLook(QDialog& form, const QString& labelName)
{
    EXPECT_EQ(form.size(), QSize(352, 109));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed border";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.font().families().value(0), QStringLiteral("MS Sans Serif"));

    auto* label = form.findChild<QLabel*>(labelName);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(64, 14, 281, 41));
    EXPECT_TRUE(label->wordWrap());
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
}

} // namespace

TEST(InformationDialog, LooksAsDescribed)
{
    widgets::TTaviroInfoForm form;
    form.setText(QStringLiteral("Brak dostępu do funkcji dla użytkownika - <b>Nowak</b>."));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Informacja"));
    expectCommonLook(form, QStringLiteral("TaviroInfoText"));

    auto* label = form.findChild<QLabel*>(QStringLiteral("TaviroInfoText"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Brak dostępu do funkcji dla użytkownika - <b>Nowak</b>."));
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << "user data is never read as markup";
    EXPECT_NE(form.findChild<QFrame*>(QStringLiteral("TaviroInfoButtonsBevel")), nullptr);

    auto* close = form.findChild<QPushButton*>(QStringLiteral("TaviroInfoCloseButton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Zamknij"));
    EXPECT_TRUE(close->isDefault());
    EXPECT_GT(close->x(), form.width() / 2) << "at the lower right";
    EXPECT_GT(close->y(), label->geometry().bottom());
}

TEST(InformationDialog, EscClosesOnReleaseAndEnterOnTheCloseButton)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        widgets::TTaviroInfoForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
        if (key == Qt::Key_Escape) {
            QTest::keyPress(target, key);
            EXPECT_TRUE(form.isVisible()) << "the press alone leaves it open";
            QTest::keyRelease(target, key);
        } else {
            QTest::keyClick(target, key);
        }
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
}

TEST(QuestionDialog, LooksAsDescribed)
{
    widgets::TTaviroQuestForm form;
    form.setText(QStringLiteral("Czy usunąć komórkę?"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Pytanie"));
    expectCommonLook(form, QStringLiteral("TaviroQuestText"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("TaviroQuestText"))->text(),
              QStringLiteral("Czy usunąć komórkę?"));

    auto* ok = form.findChild<QPushButton*>(QStringLiteral("TaviroQuestOkButton"));
    auto* cancel = form.findChild<QPushButton*>(QStringLiteral("TaviroQuestCancelButton"));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Akceptuj"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Rezygnuj"));
    EXPECT_LT(ok->x(), cancel->x());
    EXPECT_TRUE(cancel->isDefault());
    EXPECT_FALSE(ok->isDefault());
}

TEST(QuestionDialog, OnlyAkceptujAnswersYes)
{
    widgets::RealMessageDialogs dialogs;
    struct Case
    {
        const char* what;
        std::function<void(QWidget*)> answer;
        bool expected;
    };
    const Case cases[] = {
        {"Enter at once", [](QWidget* dialog) { clickKey(dialog, Qt::Key_Return); }, false},
        {"keypad Enter at once", [](QWidget* dialog) { clickKey(dialog, Qt::Key_Enter); }, false},
        {"Esc", [](QWidget* dialog) { clickKey(dialog, Qt::Key_Escape); }, false},
        {"Rezygnuj", [](QWidget* dialog) { clickButton(dialog, QStringLiteral("TaviroQuestCancelButton")); }, false},
        {"closing the window", [](QWidget* dialog) { dialog->close(); }, false},
        {"Akceptuj", [](QWidget* dialog) { clickButton(dialog, QStringLiteral("TaviroQuestOkButton")); }, true},
    };
    for (const Case& c : cases) {
        QString shownText;
        whenModalShown([&](QWidget* dialog) {
            if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("TaviroQuestText")))
                shownText = label->text();
            c.answer(dialog);
        });
        EXPECT_EQ(dialogs.askQuestion(QStringLiteral("Czy usunąć ocenę?")), c.expected) << c.what;
        EXPECT_EQ(shownText, QStringLiteral("Czy usunąć ocenę?")) << c.what;
        EXPECT_EQ(openForms<widgets::TTaviroQuestForm>(), 0) << "destroyed after " << c.what;
    }
}

TEST(MessageSeam, InformationWaitsForTheUserAndLeavesNothingBehind)
{
    widgets::RealMessageDialogs dialogs;
    QString shownText;
    bool wasVisible = false;
    whenModalShown([&](QWidget* dialog) {
        shownText = dialog->findChild<QLabel*>(QStringLiteral("TaviroInfoText"))->text();
        wasVisible = dialog->isVisible();
        clickKey(dialog, Qt::Key_Escape);
    });
    dialogs.showInformation(QStringLiteral("Komórka o tej nazwie już istnieje."));
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(shownText, QStringLiteral("Komórka o tej nazwie już istnieje."));
    EXPECT_EQ(openForms<widgets::TTaviroInfoForm>(), 0);
}

TEST(MessageSeam, MessageFromInsideAnotherDialogClosesOnlyItself)
{
    // A message raised while a dialog is open belongs to that dialog, stays above it, and closing
    // it leaves that dialog open.
    widgets::RealMessageDialogs dialogs;
    widgets::TTaviroQuestForm outer;
    outer.setText(QStringLiteral("Zewnętrzne"));
    QWidget* innerParent = nullptr;
    bool outerOpenAfterMessage = false;
    whenModalShown([&](QWidget*) {
        whenModalShown([&](QWidget* inner) {
            innerParent = inner->parentWidget();
            clickKey(inner, Qt::Key_Escape);
        });
        dialogs.showInformation(QStringLiteral("Wewnętrzne"));
        outerOpenAfterMessage = outer.isVisible();
        clickButton(&outer, QStringLiteral("TaviroQuestOkButton"));
    });
    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    EXPECT_EQ(innerParent, &outer);
    EXPECT_TRUE(outerOpenAfterMessage);
}

TEST(MessageSeam, ScriptedDialogsRecordTextsAndAnswerFromTheQueue)
{
    widgets::ScriptedMessageDialogs dialogs;
    dialogs.answers = {true, false};
    dialogs.showInformation(QStringLiteral("Pierwsza"));
    EXPECT_TRUE(dialogs.askQuestion(QStringLiteral("Pytanie 1")));
    EXPECT_FALSE(dialogs.askQuestion(QStringLiteral("Pytanie 2")));
    EXPECT_FALSE(dialogs.askQuestion(QStringLiteral("Pytanie 3"))) << "an empty queue answers no";
    EXPECT_EQ(dialogs.informations, QStringList{QStringLiteral("Pierwsza")});
    EXPECT_EQ(dialogs.questions,
              (QStringList{QStringLiteral("Pytanie 1"), QStringLiteral("Pytanie 2"), QStringLiteral("Pytanie 3")}));
}
