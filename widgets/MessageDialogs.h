// The seam through which the program reports and asks: the real information and question
// dialogs, or a scripted stand-in that records the texts and answers from a list.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace taviro::widgets {

class MessageDialogs
{
public:
    virtual ~MessageDialogs() = default;
    // Shows the text modally; returns when the user has closed the dialog.
    virtual void showInformation(const QString& text) = 0;
    // Asks modally; true exactly when the user chose "Akceptuj".
    virtual bool askQuestion(const QString& text) = 0;
};

// TTaviroInfoForm and TTaviroQuestForm, created for each message and destroyed after it.
class RealMessageDialogs : public MessageDialogs
{
public:
    // owner: the main window once it exists; may be null (messages during start-up).
    explicit RealMessageDialogs(QWidget* owner = nullptr) : m_owner(owner) {}

    void setOwner(QWidget* owner) { m_owner = owner; }
    QWidget* owner() const { return m_owner; }

    void showInformation(const QString& text) override;
    bool askQuestion(const QString& text) override;

private:
    QPointer<QWidget> m_owner;
};

// For tests: records every text and answers questions from a queue (no when it is empty).
class ScriptedMessageDialogs : public MessageDialogs
{
public:
    void showInformation(const QString& text) override;
    bool askQuestion(const QString& text) override;

    QStringList informations;
    QStringList questions;
    QList<bool> answers;
};

} // namespace taviro::widgets
