#include "PersonPage.h"

#include "../Appearance.h"

#include "TextCodec.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace taviro::ui {
namespace {

// Places inside the group boxes, in pixels; fields keep a fixed margin to the group's right edge.
constexpr int kFieldLeft = 12;
constexpr int kFieldRightMargin = 12;
constexpr int kColumnGap = 8;
constexpr int kFirstLabelTop = 18;
constexpr int kLabelToField = 16;
constexpr int kRowHeight = 42;
constexpr int kFieldHeight = 21;
constexpr int kDateRowHeight = 28;
constexpr int kDateWidth = 110;
constexpr int kGroupBottomPadding = 11;
constexpr int kPickerLeft = 300; // the least left edge of the date pickers

constexpr int kDataGroupTop = ContentPage::kTitleHeight + 8;
constexpr int kDateRowsTop = kFirstLabelTop + 2 * kRowHeight + 4;
constexpr int kDataGroupHeight = kDateRowsTop + kDateRowHeight + kFieldHeight + kGroupBottomPadding;
constexpr int kDutyGroupTop = kDataGroupTop + kDataGroupHeight + 8;
// The duties fill what is left above the hint box, which starts 481 pixels below the top.
constexpr int kDutyGroupBottom = 473;

} // namespace

DutyMemo::DutyMemo(const QString& objectName, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(objectName);
    setTabChangesFocus(true);
    applyEntryBackground(this);
}

bool DutyMemo::isStorable(QChar c)
{
    if (c == QLatin1Char('#') || c == QLatin1Char('$') || c.isSurrogate())
        return false;
    return isCp1250Representable(QString(c).toStdString());
}

QString DutyMemo::storableText(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (isStorable(c))
            kept += c;
    }
    return kept;
}

void DutyMemo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && storableText(typed) != typed) {
        event->accept();
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DutyMemo::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = storableText(event->commitString());
    if (commit == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
}

void DutyMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    // Only the plain text is taken; line breaks of any kind become the memo's own.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    insertPlainText(storableText(text));
}

PersonPage::PersonPage(QWidget* parent)
    : ContentPage(QStringLiteral("TaviroPersonPanel"), QStringLiteral("TaviroPersonTitlePanel"), parent)
{
    m_dataGroup = new QGroupBox(QStringLiteral("Dane pracownika"), this);
    const QString labels[] = {QStringLiteral("Imię"), QStringLiteral("Nazwisko"), QStringLiteral("Stanowisko")};
    for (int i = 0; i < kFieldCount; ++i) {
        m_editLabels[i] = new QLabel(labels[i], m_dataGroup);
        m_edits[i] = makeRecordField(QStringLiteral("TaviroPersonEdit%1").arg(i + 1), m_dataGroup);
        m_editLabels[i]->setBuddy(m_edits[i]);
        connect(m_edits[i], &QLineEdit::textChanged, this, &PersonPage::updateSaveButton);
    }
    m_dateLabel = new QLabel(QStringLiteral("Data"), m_dataGroup);
    m_appointment = new QRadioButton(QStringLiteral("mianowania"), m_dataGroup);
    m_appointment->setObjectName(QStringLiteral("TaviroPersonRadioButton1"));
    m_contract = new QRadioButton(QStringLiteral("zatrudnienia"), m_dataGroup);
    m_contract->setObjectName(QStringLiteral("TaviroPersonRadioButton2"));
    m_postLabel = new QLabel(QStringLiteral("na stanowisku urzędniczym"), m_dataGroup);
    m_dates[0] = makeDatePicker(QStringLiteral("TaviroPersonDateTimePicker1"), m_dataGroup);
    m_date2Label = new QLabel(QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), m_dataGroup);
    m_dates[1] = makeDatePicker(QStringLiteral("TaviroPersonDateTimePicker2"), m_dataGroup);
    m_date2Label->setBuddy(m_dates[1]);

    m_dutyGroup = new QGroupBox(QStringLiteral("Obowiązki, zadania i uprawnienia pracownika"), this);
    const QString memoLabels[] = {QStringLiteral("Bieżące"), QStringLiteral("Dodatkowe w trakcie ocenianego okresu")};
    for (int i = 0; i < 2; ++i) {
        m_memoLabels[i] = new QLabel(memoLabels[i], m_dutyGroup);
        m_memos[i] = new DutyMemo(QStringLiteral("TaviroPersonMemo%1").arg(i + 1), m_dutyGroup);
        m_memoLabels[i]->setBuddy(m_memos[i]);
        connect(m_memos[i], &QPlainTextEdit::textChanged, this, &PersonPage::updateSaveButton);
    }

    addHintBox(QStringLiteral("TaviroPersonMemo3"));
    addButton(ButtonRole::Help, QStringLiteral("TaviroPersonHelpButton"), QStringLiteral("Pomoc"));
    addButton(ButtonRole::Save, QStringLiteral("TaviroPersonOkButton"), QStringLiteral("Zapisz"));
    addButton(ButtonRole::Last, QStringLiteral("TaviroPersonCancelButton"), QStringLiteral("Rezygnuj"));
    for (QPushButton* pushButton : {helpButton(), okButton(), cancelButton()})
        pushButton->setAutoDefault(true);
    okButton()->setDefault(true);
}

QLineEdit* PersonPage::edit(int number) const
{
    return m_edits.at(static_cast<std::size_t>(number - 1));
}

DutyMemo* PersonPage::memo(int number) const
{
    return m_memos.at(static_cast<std::size_t>(number - 1));
}

QDateEdit* PersonPage::datePicker(int number) const
{
    return m_dates.at(static_cast<std::size_t>(number - 1));
}

void PersonPage::prepare(PageMode mode, const QString& title)
{
    const bool view = mode == PageMode::View;
    setTitle(title);
    for (QLineEdit* field : m_edits) {
        setFieldText(*field, QString());
        field->setReadOnly(view);
    }
    for (DutyMemo* memo : m_memos) {
        memo->clear();
        memo->setReadOnly(view);
    }
    m_appointment->setChecked(true);
    m_appointment->setEnabled(!view);
    m_contract->setEnabled(!view);
    for (QDateEdit* picker : m_dates) {
        picker->setDate(QDate::currentDate());
        picker->setEnabled(!view);
    }
    okButton()->setVisible(!view);
    cancelButton()->setText(view ? QStringLiteral("Zamknij") : QStringLiteral("Rezygnuj"));
    updateSaveButton();
}

void PersonPage::showEmployee(const Employee& employee)
{
    setFieldText(*m_edits[0], oneLineText(employee.firstName));
    setFieldText(*m_edits[1], oneLineText(employee.surname));
    setFieldText(*m_edits[2], oneLineText(employee.position));
    // Only "0" means a contract; the import may bring other values, which count as appointment.
    if (employee.employ == "0")
        m_contract->setChecked(true);
    else
        m_appointment->setChecked(true);
    setStoredDate(*m_dates[0], employee.date1);
    setStoredDate(*m_dates[1], employee.date2);
    const std::string* duties[] = {&employee.duty1, &employee.duty2};
    for (int i = 0; i < 2; ++i) {
        QString text = QString::fromStdString(*duties[i]);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        m_memos[i]->setPlainText(text);
    }
    updateSaveButton();
}

Employee PersonPage::enteredEmployee() const
{
    Employee employee;
    employee.firstName = trimmedText(m_edits[0]->text());
    employee.surname = trimmedText(m_edits[1]->text());
    employee.position = trimmedText(m_edits[2]->text());
    employee.employ.assign(1, m_appointment->isChecked() ? '1' : '0');
    employee.date1 = storedDate(*m_dates[0]);
    employee.date2 = storedDate(*m_dates[1]);
    employee.duty1 = trimmedText(m_memos[0]->toPlainText());
    employee.duty2 = trimmedText(m_memos[1]->toPlainText());
    return employee;
}

void PersonPage::updateSaveButton()
{
    bool filled = true;
    for (QLineEdit* field : m_edits)
        filled = filled && !trimmedText(field->text()).empty();
    okButton()->setEnabled(filled);
}

void PersonPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 16;
    const int fieldWidth = groupWidth - kFieldLeft - kFieldRightMargin;
    const int halfWidth = (fieldWidth - kColumnGap) / 2;
    m_dataGroup->setGeometry(kMargin, kDataGroupTop, groupWidth, kDataGroupHeight);

    // First name and surname side by side, the position below them over the whole width.
    const int secondColumn = kFieldLeft + halfWidth + kColumnGap;
    m_editLabels[0]->setGeometry(kFieldLeft, kFirstLabelTop, halfWidth, kLabelToField);
    m_edits[0]->setGeometry(kFieldLeft, kFirstLabelTop + kLabelToField, halfWidth, kFieldHeight);
    m_editLabels[1]->setGeometry(secondColumn, kFirstLabelTop, fieldWidth - halfWidth - kColumnGap, kLabelToField);
    m_edits[1]->setGeometry(secondColumn, kFirstLabelTop + kLabelToField, fieldWidth - halfWidth - kColumnGap,
                            kFieldHeight);
    const int positionTop = kFirstLabelTop + kRowHeight;
    m_editLabels[2]->setGeometry(kFieldLeft, positionTop, fieldWidth, kLabelToField);
    m_edits[2]->setGeometry(kFieldLeft, positionTop + kLabelToField, fieldWidth, kFieldHeight);

    // The line reads on as a sentence, so each part is as wide as its text in the page's font;
    // both pickers stand in one column after the longer of the two lines.
    const auto textWidth = [](const QWidget* widget) { return widget->sizeHint().width() + 4; };
    int left = kFieldLeft;
    const int firstRow = kDateRowsTop;
    for (QWidget* part : std::initializer_list<QWidget*>{m_dateLabel, m_appointment, m_contract, m_postLabel}) {
        part->setGeometry(left, firstRow, textWidth(part), kFieldHeight);
        left += textWidth(part);
    }
    const int secondRow = firstRow + kDateRowHeight;
    m_date2Label->setGeometry(kFieldLeft, secondRow, textWidth(m_date2Label), kFieldHeight);
    const int pickerLeft = std::max({kPickerLeft, left + kColumnGap, m_date2Label->geometry().right() + kColumnGap});
    m_dates[0]->setGeometry(pickerLeft, firstRow, kDateWidth, kFieldHeight);
    m_dates[1]->setGeometry(pickerLeft, secondRow, kDateWidth, kFieldHeight);

    // The two duty memos side by side, filling the group.
    m_dutyGroup->setGeometry(kMargin, kDutyGroupTop, groupWidth, kDutyGroupBottom - kDutyGroupTop);
    const int memoTop = kFirstLabelTop + kLabelToField;
    const int memoHeight = m_dutyGroup->height() - memoTop - kGroupBottomPadding;
    for (int i = 0; i < 2; ++i) {
        const int memoLeft = i == 0 ? kFieldLeft : secondColumn;
        const int memoWidth = i == 0 ? halfWidth : fieldWidth - halfWidth - kColumnGap;
        m_memoLabels[i]->setGeometry(memoLeft, kFirstLabelTop, memoWidth, kLabelToField);
        m_memos[i]->setGeometry(memoLeft, memoTop, memoWidth, memoHeight);
    }
}

void PersonPage::keyPressEvent(QKeyEvent* event)
{
    if (!pressDefaultButton(event, okButton()))
        ContentPage::keyPressEvent(event);
}

} // namespace taviro::ui
