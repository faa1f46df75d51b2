// The employee page: an employee's personal data, the basis and dates of employment, and the
// duties, shown for a new employee, for viewing or for correcting.
#pragma once

#include "ContentPage.h"
#include "RegisterFields.h"
#include "SessionState.h"

#include "Register.h"

#include <QPlainTextEdit>
#include <QRadioButton>

#include <array>

namespace taviro::ui {

// A multi-line field whose text goes into one record line: characters the file cannot hold
// (outside Windows-1250, and "#" and "$", which stand for line breaks there) are refused when
// typed and dropped from pasted or dropped text. Enter makes a new line; Tab moves on.
class DutyMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit DutyMemo(const QString& objectName, QWidget* parent = nullptr);

    // The text without the characters the record file cannot hold.
    static QString storableText(const QString& text);
    static bool isStorable(QChar c);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

class PersonPage : public ContentPage
{
    Q_OBJECT
public:
    static constexpr int kFieldCount = 3;

    explicit PersonPage(QWidget* parent = nullptr);

    // TaviroPersonEdit1 … TaviroPersonEdit3 (number 1 to 3).
    QLineEdit* edit(int number) const;
    // TaviroPersonMemo1 (current duties) and TaviroPersonMemo2 (additional duties).
    DutyMemo* memo(int number) const;
    // TaviroPersonDateTimePicker1 (appointment or employment) and …2 (present position).
    QDateEdit* datePicker(int number) const;
    QRadioButton* appointmentButton() const { return m_appointment; }
    QRadioButton* contractButton() const { return m_contract; }
    QPushButton* okButton() const { return button(ButtonRole::Save); }
    QPushButton* cancelButton() const { return button(ButtonRole::Last); }
    QPushButton* helpButton() const { return button(ButtonRole::Help); }

    // Empties the fields, chooses "mianowania", sets both dates to today and makes everything
    // editable (new, correct) or read-only with Save hidden (view).
    void prepare(PageMode mode, const QString& title);
    void showEmployee(const Employee& employee);
    // The fields as an employee record: texts trimmed, PERSONEMPLOY "1" or "0", dates as
    // dd-mm-yyyy, duties with their line breaks; no identifier.
    Employee enteredEmployee() const;
    // Save is enabled exactly when first name, surname and position are all filled in.
    void updateSaveButton();

protected:
    void layOutGroups(int width, int height) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* m_dataGroup = nullptr;
    QGroupBox* m_dutyGroup = nullptr;
    std::array<QLineEdit*, kFieldCount> m_edits{};
    std::array<QLabel*, kFieldCount> m_editLabels{};
    QLabel* m_dateLabel = nullptr;
    QRadioButton* m_appointment = nullptr;
    QRadioButton* m_contract = nullptr;
    QLabel* m_postLabel = nullptr;
    QLabel* m_date2Label = nullptr;
    std::array<QDateEdit*, 2> m_dates{};
    std::array<QLabel*, 2> m_memoLabels{};
    std::array<DutyMemo*, 2> m_memos{};
};

} // namespace taviro::ui
