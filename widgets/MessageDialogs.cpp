#include "MessageDialogs.h"

#include "TaviroInfoCode.h"
#include "TaviroQuestCode.h"

#include <QApplication>

namespace taviro::widgets {

namespace {

// A message may come from inside another modal dialog (a login error, a warning while a page's
// dialog reads a file): it belongs to that dialog then, so that it stays on top of it.
QWidget* parentFor(QWidget* owner)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return owner;
}

// Runs a dialog created for this one use. The dialog may die with its parent while it is open,
// hence the guarded pointer.
template <typename Form> int runOnce(QWidget* parent, const QString& text)
{
    QPointer<Form> form = new Form(parent);
    form->setText(text);
    const int result = form->exec();
    delete form.data();
    return result;
}

} // namespace

void RealMessageDialogs::showInformation(const QString& text)
{
    runOnce<TTaviroInfoForm>(parentFor(m_owner), text);
}

bool RealMessageDialogs::askQuestion(const QString& text)
{
    return runOnce<TTaviroQuestForm>(parentFor(m_owner), text) == QDialog::Accepted;
}

void ScriptedMessageDialogs::showInformation(const QString& text)
{
    informations.append(text);
}

bool ScriptedMessageDialogs::askQuestion(const QString& text)
{
    questions.append(text);
    if (answers.isEmpty())
        return false;
    return answers.takeFirst();
}

} // namespace taviro::widgets
