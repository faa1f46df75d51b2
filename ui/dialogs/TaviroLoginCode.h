// The login dialog shown once at start-up: identifies the administrator or an account of the
// user file and keeps the current user and password for the run.
#pragma once

#include "TaviroDialog.h"

class QPushButton;

namespace taviro {
class Accounts;
}

namespace taviro::widgets {
class MessageDialogs;
class TaviroLineEdit;
} // namespace taviro::widgets

namespace taviro::ui {

class TTaviroLoginForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    TTaviroLoginForm(taviro::Accounts& accounts, widgets::MessageDialogs& dialogs, QWidget* parent = nullptr);

    // Set by a successful login, as stored ("Administrator" for the administrator).
    QString currentUser() const { return m_user; }
    QString currentPassword() const { return m_password; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TaviroLoginEdit1Change();
    void TaviroLoginOkButtonClick();

    taviro::Accounts& m_accounts;
    widgets::MessageDialogs& m_dialogs;
    widgets::TaviroLineEdit* m_identifier = nullptr;
    widgets::TaviroLineEdit* m_passwordEdit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_user;
    QString m_password;
};

} // namespace taviro::ui
