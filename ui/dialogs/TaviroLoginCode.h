// The login dialog shown once at start-up: identifies the administrator or an account of the
// user file and keeps the current user and password for the run.
#pragma once

#include "TaviroDialog.h"

class QLineEdit;
class QPushButton;

namespace taviro {
class Accounts;
}

namespace taviro::ui {

class MessageDialogs;

class TTaviroLoginForm : public TaviroDialog
{
    Q_OBJECT

public:
    TTaviroLoginForm(taviro::Accounts& accounts, MessageDialogs& dialogs, QWidget* parent = nullptr);

    // Set by a successful login, as stored ("Administrator" for the administrator).
    QString currentUser() const { return m_user; }
    QString currentPassword() const { return m_password; }

    // The background of the program's entry fields.
    static QColor inputBackground() { return QColor(255, 255, 215); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TaviroLoginEdit1Change();
    void TaviroLoginOkButtonClick();

    taviro::Accounts& m_accounts;
    MessageDialogs& m_dialogs;
    QLineEdit* m_identifier = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_user;
    QString m_password;
};

} // namespace taviro::ui
