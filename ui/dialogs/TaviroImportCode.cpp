#include "TaviroImportCode.h"

#include "IoError.h"
#include "MessageDialogs.h"
#include "Register.h"
#include "UserOperation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <exception>

namespace taviro::ui {

namespace {

constexpr int kProgressSteps = 1000;
// Short imports finish before the progress window would come up at all.
constexpr int kProgressDelayMs = 400;

} // namespace

TTaviroImportForm::TTaviroImportForm(RecordFiles& records, widgets::MessageDialogs& dialogs, QString dataDirectory,
                                     ImportFileChooser chooser, QWidget* parent)
    : widgets::TaviroDialog(parent), m_records(records), m_dialogs(dialogs), m_dataDirectory(std::move(dataDirectory)),
      m_chooser(chooser ? std::move(chooser) : ImportFileChooser(&TTaviroImportForm::chooseWithFileDialog))
{
    setObjectName(QStringLiteral("TaviroImportForm"));
    setWindowTitle(QStringLiteral("Import komórek organizacyjnych i pracowników"));
    setFixedClientSize(472, 340);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("TaviroImportMemo"));
    m_memo->setGeometry(8, 8, 456, 284);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setPlainText(explanationLines().join(QLatin1Char('\n')));

    addBevel(QStringLiteral("TaviroImportButtonsBevel"), QRect(8, 299, 456, 2));
    m_ok = addButton(QStringLiteral("TaviroImportOkButton"), QStringLiteral("Importuj"), QRect(296, 308, 81, 25));
    m_cancel =
        addButton(QStringLiteral("TaviroImportCancelButton"), QStringLiteral("Rezygnuj"), QRect(384, 308, 81, 25));
    m_cancel->setDefault(true);
    m_ok->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &TTaviroImportForm::TaviroImportOkButtonClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
}

TTaviroImportForm::~TTaviroImportForm() = default;

QStringList TTaviroImportForm::explanationLines()
{
    return {
        QStringLiteral("UWAGA! Przeczytaj zanim użyjesz funkcji \"Import\"."),
        QString(),
        QStringLiteral("Funkcja ta służy do zbiorczego importu do programu \"Rizuvura variv"),
        QStringLiteral("kwalifikacyjna pracownika samorządowego\" informacji o komórkach"),
        QStringLiteral("organizacyjnych wraz z przypisanymi im danymi o pracownikach. Format"),
        QStringLiteral("pliku który program wczyta i poprawnie zinterpretuje to plik tekstowy"),
        QStringLiteral("zawierający w poszczególnych liniach pola zawierające importowane dane"),
        QStringLiteral("rozdzielone znakiem tabulatora i zakończony znakiem nowego wiersza."),
        QStringLiteral("Długości pól nie mają znaczenia oraz nie muszą być wypełnione wszystkie."),
        QStringLiteral("Program wymaga jedynie wypełnienia pól:  nazwa komórki organizacyjnej"),
        QStringLiteral("oraz imię i nazwisko pracownika. Pozostałe dane można później uzupełnić"),
        QStringLiteral("z poziomu programu."),
        QStringLiteral("Poszczególne pozycje w lini licząc od lewej strony powinny zawierać:"),
        QString(),
        QStringLiteral("- Nazwę jednostki samorządowej,"),
        QStringLiteral("- Miejscowość,"),
        QStringLiteral("- Nazwę komórki organizacyjnej,"),
        QStringLiteral("- Imię i nazwisko oceniającego,"),
        QStringLiteral("- Jego stanowisko,"),
        QStringLiteral("- Imię pracownika,"),
        QStringLiteral("- Nazwisko pracownika,"),
        QStringLiteral("- Jego stanowisko,"),
        QStringLiteral("- Cyfrę 1 (jeden) dla mianowania lub 0 (zero) dla zatrudnienia,"),
        QStringLiteral("- Data mianowania/zatrudnienia w formacie dd-mm-rrrr,"),
        QStringLiteral("- Data rozpoczęcia pracy na stanowisku w formacie dd-mm-rrrr."),
        QString(),
        QStringLiteral("Podczas importu program automatycznie sprawdza czy dana komórka i/lub"),
        QStringLiteral("pracownik istnieje juz w programie i dodaje jedynie nowe dane. Program nie"),
        QStringLiteral("rozróżnia wielkości liter ale zwraca uwagę na występowanie polskich"),
        QStringLiteral("ogonków wiec działy \"Księgowość\" i \"Ksiegowosc\" będą różnymi działami."),
        QStringLiteral("Dzieki temu istnieje możliwośc wielokrtonego używania funkcji w miare"),
        QStringLiteral("zatrudniania nowych pracowników. Funkcja NIE uaktualnia już istniejących"),
        QStringLiteral("danych (to należy wykonywać już w programie) oraz NIE usuwa żadnych"),
        QStringLiteral("danych."),
    };
}

QString TTaviroImportForm::chooseWithFileDialog(QWidget* parent, const QString& startDirectory)
{
    // Qt's own file dialog speaks Polish through the translation the program loads.
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TaviroImportOpenDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(startDirectory);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters({QStringLiteral("Pliki tekstowe (*.txt)"), QStringLiteral("Wszystkie pliki (*.*)")});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void TTaviroImportForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        QPalette palette = m_memo->palette();
        palette.setColor(QPalette::Base, QColor(255, 255, 215));
        m_memo->setPalette(palette);
        m_cancel->setFocus();
    }
    widgets::TaviroDialog::showEvent(event);
}

void TTaviroImportForm::showProgress(std::uint64_t bytesRead, std::uint64_t bytesTotal)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(this);
        m_progress->setObjectName(QStringLiteral("TaviroImportProgress"));
        m_progress->setWindowTitle(windowTitle());
        m_progress->setLabelText(QStringLiteral("Trwa import komórek organizacyjnych i pracowników..."));
        // The import cannot be stopped half-way through a line; it is short enough to wait for.
        m_progress->setCancelButton(nullptr);
        m_progress->setWindowModality(Qt::ApplicationModal);
        m_progress->setRange(0, kProgressSteps);
        m_progress->setMinimumDuration(kProgressDelayMs);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->setValue(0);
    }
    const int step =
        bytesTotal == 0
            ? kProgressSteps
            : static_cast<int>(std::min<std::uint64_t>(bytesRead, bytesTotal) * kProgressSteps / bytesTotal);
    m_progress->setValue(step);
    // The windows keep painting; clicks and keys wait until the import is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TTaviroImportForm::TaviroImportOkButtonClick()
{
    const QString fileName = m_chooser(this, m_dataDirectory);
    if (fileName.isEmpty()) {
        reject();
        return;
    }
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    try {
        const ImportResult result =
            importRegister(m_records, QDir::toNativeSeparators(fileName).toStdString(),
                           [this](std::uint64_t read, std::uint64_t total) { showProgress(read, total); });
        delete m_progress;
        m_progress = nullptr;
        if (!result.refusal.empty()) {
            m_dialogs.showInformation(QString::fromStdString(result.refusal)); // names the line; nothing written
        } else {
            m_result = result;
            if (result.taken == 0)
                m_dialogs.showInformation(QString::fromStdString(importFormatErrorText()));
        }
    } catch (const IoError& error) {
        // Whatever was imported before the failure stays; the user learns which file failed and,
        // when a data file failed half-way, how much was imported before (ImportInterrupted).
        delete m_progress;
        m_progress = nullptr;
        m_dialogs.showInformation(QString::fromUtf8(error.what()));
    } catch (const std::exception& error) {
        delete m_progress;
        m_progress = nullptr;
        m_dialogs.showInformation(fileErrorText(error));
    }
    accept();
}

} // namespace taviro::ui
