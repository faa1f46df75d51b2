// The import dialog: explains the format of the import file, asks for the file and adds the units
// and employees it names to the register.
#pragma once

#include "TaviroDialog.h"

#include "Import.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QProgressDialog;
class QPushButton;

namespace taviro {
class RecordFiles;
}

namespace taviro::widgets {
class MessageDialogs;
}

namespace taviro::ui {

// Asks for the file to import, starting in startDirectory; an empty result means the user gave
// up. The real one is the file-open dialog TaviroImportOpenDialog.
using ImportFileChooser = std::function<QString(QWidget* parent, const QString& startDirectory)>;

class TTaviroImportForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    // dataDirectory: where the file dialog starts. chooser: empty for the real file dialog.
    TTaviroImportForm(RecordFiles& records, widgets::MessageDialogs& dialogs, QString dataDirectory,
                      ImportFileChooser chooser = {}, QWidget* parent = nullptr);
    ~TTaviroImportForm() override;

    // After the dialog closed: what the import did when it ran to its end, with the encoding the
    // file was read in (ImportResult::encoding; importSummaryText says it all in Polish); nothing
    // when the user gave up, the file was refused or the import failed (the dialog has said why).
    const std::optional<ImportResult>& importResult() const { return m_result; }

    // The explanation shown in the memo, one entry a line.
    static QStringList explanationLines();
    // The real file chooser: a modal QFileDialog for *.txt files.
    static QString chooseWithFileDialog(QWidget* parent, const QString& startDirectory);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TaviroImportOkButtonClick();
    void showProgress(std::uint64_t bytesRead, std::uint64_t bytesTotal);

    RecordFiles& m_records;
    widgets::MessageDialogs& m_dialogs;
    QString m_dataDirectory;
    ImportFileChooser m_chooser;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QProgressDialog* m_progress = nullptr;
    std::optional<ImportResult> m_result;
};

} // namespace taviro::ui
