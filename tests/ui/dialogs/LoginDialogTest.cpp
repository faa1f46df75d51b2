// The login dialog on a real data directory: when "Identyfikuj" may be pressed, who gets in,
// and what the user sees (nothing, or an input/output message) when the login fails.
#include "Accounts.h"
#include "MessageDialogs.h"
#include "ModalDriver.h"
#include "TestSupport.h"
#include "dialogs/TaviroLoginCode.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::ui;

namespace {

class LoginDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        identifier = form.findChild<QLineEdit*>(QStringLiteral("TaviroLoginEdit1"));
        password = form.findChild<QLineEdit*>(QStringLiteral("TaviroLoginEdit2"));
        ok = form.findChild<QPushButton*>(QStringLiteral("TaviroLoginOkButton"));
        cancel = form.findChild<QPushButton*>(QStringLiteral("TaviroLoginCancel"));
        ASSERT_TRUE(identifier && password && ok && cancel);
    }

    void type(const QString& user, const QString& secret)
    {
        identifier->clear();
        password->clear();
        test::typeText(identifier, user);
        test::typeText(password, secret);
    }

    // Types and presses "Identyfikuj"; true when the dialog closed with the OK result.
    bool logIn(const QString& user, const QString& secret)
    {
        type(user, secret);
        QTest::mouseClick(ok, Qt::LeftButton);
        return !form.isVisible() && form.result() == QDialog::Accepted;
    }

    test::TestStore store;
    Accounts accounts{store.files};
    widgets::ScriptedMessageDialogs dialogs;
    TTaviroLoginForm form{accounts, dialogs};
    QLineEdit* identifier = nullptr;
    QLineEdit* password = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

UserAccount account(std::string identifier, std::string password)
{
    UserAccount result;
    result.firstName = "Jan";
    result.surname = "Kowalski";
    result.position = "Referent";
    result.identifier = std::move(identifier);
    result.password = std::move(password);
    result.rights = "11111111111111";
    result.units = "000001#";
    return result;
}

} // namespace

TEST_F(LoginDialog, LooksAsDescribedAndStartsWithEmptyYellowFields)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Identyfikacja użytkownika"));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "fixed border";
    EXPECT_EQ(ok->text(), QStringLiteral("Identyfikuj"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Rezygnuj"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QStyleOptionFrame option;
    option.initFrom(password);
    EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, &option, password), '*');

    // Whatever the fields held before, showing the dialog empties them.
    form.hide();
    identifier->setText(QStringLiteral("stary"));
    password->setText(QStringLiteral("stare"));
    form.show();
    for (QLineEdit* edit : {identifier, password}) {
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 215));
    }
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(cancel->isEnabled());
}

TEST_F(LoginDialog, IdentifyIsEnabledOnlyWithBothFieldsFilled)
{
    type(QStringLiteral("   "), QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled()) << "blanks only";
    type(QStringLiteral("jan"), QString());
    EXPECT_FALSE(ok->isEnabled());
    type(QString(), QStringLiteral("haslo"));
    EXPECT_FALSE(ok->isEnabled());
    type(QStringLiteral("jan"), QStringLiteral(" "));
    EXPECT_FALSE(ok->isEnabled());
    type(QStringLiteral(" jan "), QStringLiteral(" h "));
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(password, Qt::Key_Backspace);
    QTest::keyClick(password, Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled()) << "follows every change";
    EXPECT_TRUE(cancel->isEnabled());

    // Enter with the button disabled does nothing at all.
    type(QStringLiteral("   "), QStringLiteral("   "));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(LoginDialog, AdministratorInAnyLetterCase)
{
    accounts.writeAdministratorPassword("Tajne1");
    // An account in the user file named like the administrator never logs in on its own.
    accounts.writeUsers({account("administrator", "inne")});

    EXPECT_FALSE(logIn(QStringLiteral("administrator"), QStringLiteral("inne")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(logIn(QStringLiteral("  aDmInIsTrAtOr "), QStringLiteral(" TAJNE1 ")));
    EXPECT_EQ(form.currentUser(), QStringLiteral("Administrator"));
    EXPECT_EQ(form.currentPassword(), QStringLiteral("Tajne1")) << "as stored, not as typed";
    EXPECT_TRUE(dialogs.informations.isEmpty());
}

TEST_F(LoginDialog, AccountOfTheUserFileWithPolishLettersAndEnter)
{
    accounts.writeUsers({account("jkowalski", "Żółw1"), account("anowak", "ąę")});
    type(QStringLiteral("JKOWALSKI"), QStringLiteral(" żÓŁW1"));
    QTest::keyClick(password, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.currentUser(), QStringLiteral("jkowalski"));
    EXPECT_EQ(form.currentPassword(), QStringLiteral("Żółw1"));
}

TEST_F(LoginDialog, WrongPasswordLeavesTheDialogAsItWasWithoutAMessage)
{
    accounts.writeAdministratorPassword("Tajne1");
    accounts.writeUsers({account("jkowalski", "haslo")});
    for (const auto& [user, secret] :
         {std::pair{"jkowalski", "zle"}, std::pair{"Administrator", "tajne2"}, std::pair{"nieznany", "haslo"}}) {
        EXPECT_FALSE(logIn(QString::fromUtf8(user), QString::fromUtf8(secret))) << user;
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(identifier->text(), QString::fromUtf8(user)) << "the fields keep their contents";
        EXPECT_EQ(password->text(), QString::fromUtf8(secret));
    }
    EXPECT_TRUE(dialogs.informations.isEmpty());
    EXPECT_TRUE(form.currentUser().isEmpty());
    // And the next try with the right password still works.
    EXPECT_TRUE(logIn(QStringLiteral("jkowalski"), QStringLiteral("haslo")));
}

TEST_F(LoginDialog, WithoutAdminFileTheAdministratorCannotLogIn)
{
    EXPECT_FALSE(logIn(QStringLiteral("Administrator"), QStringLiteral("cokolwiek")));
    EXPECT_TRUE(dialogs.informations.isEmpty());
}

TEST_F(LoginDialog, UnreadableUserFileShowsAnInputOutputMessageAndStaysOpen)
{
    accounts.writeUsers({account("jkowalski", "haslo")});
    {
        // Another workstation is writing the user file at this moment.
        SharedFile held = store.files.openOnce("Users.dat", OpenKind::BinaryReadWrite);
        EXPECT_FALSE(logIn(QStringLiteral("jkowalski"), QStringLiteral("haslo")));
        EXPECT_TRUE(form.isVisible());
        ASSERT_EQ(dialogs.informations.size(), 1);
        EXPECT_FALSE(dialogs.informations.front().isEmpty());
        EXPECT_EQ(identifier->text(), QStringLiteral("jkowalski"));
    }
    // Once the file is free again the same check succeeds.
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(dialogs.informations.size(), 1);
}

TEST_F(LoginDialog, EscAnywhereOrRezygnujCancels)
{
    accounts.writeAdministratorPassword("Tajne1");
    type(QStringLiteral("Administrator"), QStringLiteral("Tajne1"));
    QTest::keyPress(password, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible()) << "closes on the release";
    QTest::keyRelease(password, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(form.currentUser().isEmpty());

    for (QWidget* target : std::initializer_list<QWidget*>{identifier, ok, &form}) {
        form.show();
        form.setResult(QDialog::Accepted);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << target->objectName().toStdString();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }

    form.show();
    form.setResult(QDialog::Accepted);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(LoginDialog, FieldsRefuseCharactersTheDataFilesCannotHold)
{
    test::typeText(identifier, QStringLiteral("ab☎c"));
    EXPECT_EQ(identifier->text(), QStringLiteral("abc"));
    test::typeText(password, QStringLiteral("zß😀ł"));
    EXPECT_EQ(password->text(), QStringLiteral("zßł"));
}
