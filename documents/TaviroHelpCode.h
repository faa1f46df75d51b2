// The help dialog: the Start.hlp text, the help-at-start check box, printing the text.
#pragma once

#include "TaviroDialog.h"

#include "DataDirectory.h"

class QCheckBox;
class QPushButton;
class QShowEvent;
class QTextEdit;

namespace taviro {

class TextPrinter;
class UserSettings;

class TTaviroHelpForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    TTaviroHelpForm(DataDirectory directory, UserSettings& settings, TextPrinter& printer, QWidget* parent = nullptr);

    // The title of the print job of the help text, and the file name printing to a file offers.
    static QString printJobTitle();
    static QString printFileName();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void helpAtStartClicked(bool checked);
    void printClicked();

    DataDirectory m_directory;
    UserSettings& m_settings;
    TextPrinter& m_printer;
    QTextEdit* m_richEdit = nullptr;
    QCheckBox* m_helpAtStart = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace taviro
