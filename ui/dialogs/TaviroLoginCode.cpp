#include "TaviroLoginCode.h"

#include "EntryControls.h"
#include "MessageDialogs.h"

#include "Accounts.h"
#include "TextCodec.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <exception>

namespace taviro::ui {

namespace {

widgets::TaviroLineEdit* makeEdit(QWidget* parent, const QString& objectName, const QRect& geometry)
{
    auto* edit = new widgets::TaviroLineEdit(objectName, parent, widgets::kAccountLine);
    edit->setGeometry(geometry);
    return edit;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setBuddy(buddy);
    return label;
}

bool blank(const QString& text)
{
    return taviro::trimmed(text.toStdString()).empty();
}

} // namespace

TTaviroLoginForm::TTaviroLoginForm(taviro::Accounts& accounts, widgets::MessageDialogs& dialogs, QWidget* parent)
    : widgets::TaviroDialog(parent), m_accounts(accounts), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TaviroLoginForm"));
    setWindowTitle(QStringLiteral("Identyfikacja użytkownika"));
    setFixedClientSize(289, 121);

    m_identifier = makeEdit(this, QStringLiteral("TaviroLoginEdit1"), QRect(96, 16, 177, 21));
    m_passwordEdit = makeEdit(this, QStringLiteral("TaviroLoginEdit2"), QRect(96, 44, 177, 21));
    m_passwordEdit->setPasswordMode();
    makeLabel(this, QStringLiteral("Identyfikator"), m_identifier, QRect(16, 19, 76, 16));
    makeLabel(this, QStringLiteral("Hasło"), m_passwordEdit, QRect(16, 47, 76, 16));

    addBevel(QStringLiteral("TaviroLoginButtonsBevel"), QRect(8, 78, 273, 2));
    m_ok = addButton(QStringLiteral("TaviroLoginOkButton"), QStringLiteral("Identyfikuj"), QRect(112, 88, 81, 25));
    m_cancel = addButton(QStringLiteral("TaviroLoginCancel"), QStringLiteral("Rezygnuj"), QRect(200, 88, 81, 25));
    m_ok->setDefault(true);
    // Enter in an edit must reach the default button, never the button that had the focus last.
    m_cancel->setAutoDefault(false);
    setTabOrder(m_identifier, m_passwordEdit);
    setTabOrder(m_passwordEdit, m_ok);
    setTabOrder(m_ok, m_cancel);

    connect(m_identifier, &QLineEdit::textChanged, this, &TTaviroLoginForm::TaviroLoginEdit1Change);
    connect(m_passwordEdit, &QLineEdit::textChanged, this, &TTaviroLoginForm::TaviroLoginEdit1Change);
    connect(m_ok, &QPushButton::clicked, this, &TTaviroLoginForm::TaviroLoginOkButtonClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
    TaviroLoginEdit1Change();
}

void TTaviroLoginForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOnScreen();
        m_identifier->clear();
        m_passwordEdit->clear();
        TaviroLoginEdit1Change();
        m_identifier->setFocus();
    }
    widgets::TaviroDialog::showEvent(event);
}

void TTaviroLoginForm::TaviroLoginEdit1Change()
{
    m_ok->setEnabled(!blank(m_identifier->text()) && !blank(m_passwordEdit->text()));
    m_cancel->setEnabled(true);
}

void TTaviroLoginForm::TaviroLoginOkButtonClick()
{
    LoginResult result;
    try {
        result = m_accounts.login(m_identifier->text().toStdString(), m_passwordEdit->text().toStdString());
    } catch (const std::exception& error) {
        result.outcome = LoginResult::Outcome::ReadError;
        result.errorText = error.what();
    }
    switch (result.outcome) {
    case LoginResult::Outcome::Accepted:
        m_user = QString::fromStdString(result.user);
        m_password = QString::fromStdString(result.password);
        accept();
        break;
    case LoginResult::Outcome::Refused:
        // No hint whether the identifier or the password was wrong; the user simply tries again.
        break;
    case LoginResult::Outcome::ReadError:
        m_dialogs.showInformation(result.errorText.empty()
                                      ? QStringLiteral("Błąd wejścia/wyjścia podczas odczytu pliku kont użytkowników.")
                                      : QString::fromStdString(result.errorText));
        break;
    }
}

} // namespace taviro::ui
