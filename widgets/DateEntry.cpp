// The date picker: typing from the day, and the range of dates that can be stored.
#include "EntryControls.h"

#include "Appearance.h"
#include "FieldNote.h"

#include "TextCodec.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace taviro::widgets {
namespace {

// Whether a day or month of these digits is complete: no further digit could follow.
bool isComplete(QDateTimeEdit::Section section, const QString& digits)
{
    const int first = digits.at(0).digitValue();
    switch (section) {
    case QDateTimeEdit::DaySection:
        return digits.size() == 2 || first > 3;
    case QDateTimeEdit::MonthSection:
        return digits.size() == 2 || first > 1;
    default:
        return digits.size() == 4;
    }
}

QDateTimeEdit::Section nextSection(QDateTimeEdit::Section section)
{
    switch (section) {
    case QDateTimeEdit::DaySection:
        return QDateTimeEdit::MonthSection;
    case QDateTimeEdit::MonthSection:
    case QDateTimeEdit::YearSection:
        return QDateTimeEdit::YearSection;
    default:
        return QDateTimeEdit::DaySection;
    }
}

} // namespace

TaviroDatePicker::TaviroDatePicker(const QString& objectName, QWidget* parent) : QDateEdit(parent)
{
    setObjectName(objectName);
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    // The widest range the picker can show, so that a date stored wrong can be seen and mended;
    // what can be stored is narrower (isAcceptable).
    // Year 1 on: a year being typed shows its first digits as they come ("0002", "0020" …).
    setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    applyEntryBackground(this);
    connect(this, &QDateTimeEdit::dateChanged, this, [this] {
        // A date set otherwise (arrows, calendar, load) ends what was being typed.
        if (!m_showingTyped) {
            m_typedSection = NoSection;
            m_wantedDay = 0;
        }
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (isEnabled() && !isAcceptable())
            showFieldNote(this, refusal());
    });
}

void TaviroDatePicker::setStoredDate(const std::string& stored)
{
    const auto date = parseDate(stored);
    if (!date)
        return;
    const QDate value(date->year, date->month, date->day);
    if (value.isValid() && value >= minimumDate() && value <= maximumDate())
        setDate(value);
}

std::string TaviroDatePicker::storedDate() const
{
    const QDate value = date();
    return formatDate(Date{value.year(), value.month(), value.day()});
}

bool TaviroDatePicker::isAcceptable() const
{
    const int year = date().year();
    return year >= kFirstYear && year <= kLastYear;
}

QString TaviroDatePicker::refusal() const
{
    if (isAcceptable())
        return {};
    return QStringLiteral("Data %1 jest spoza dopuszczalnego zakresu: rok musi się mieścić w przedziale %2–%3.")
        .arg(QString::fromStdString(storedDate()))
        .arg(kFirstYear)
        .arg(kLastYear);
}

bool TaviroDatePicker::sayIfRefused()
{
    if (isAcceptable())
        return false;
    setFocus(Qt::OtherFocusReason);
    showFieldNote(this, refusal());
    return true;
}

void TaviroDatePicker::focusInEvent(QFocusEvent* event)
{
    m_typedSection = NoSection;
    m_wantedDay = 0;
    QDateEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        // A date is typed as it is read, day first, however the keyboard brought the focus here.
        setCurrentSection(DaySection);
        setSelectedSection(DaySection);
        break;
    default:
        break;
    }
}

void TaviroDatePicker::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && text.size() == 1 && text.at(0).isDigit() && !isReadOnly()) {
        typeDigit(text.at(0).digitValue());
        event->accept();
        return;
    }
    if (plain && text.size() == 1 && QStringLiteral("-./ ").contains(text.at(0)) && !m_typedDigits.isEmpty()) {
        finishSection();
        event->accept();
        return;
    }
    m_typedSection = NoSection;
    QDateEdit::keyPressEvent(event);
}

void TaviroDatePicker::typeDigit(int digit)
{
    const Section section = currentSection();
    if (section != DaySection && section != MonthSection && section != YearSection)
        return;
    if (section != m_typedSection) {
        m_typedSection = section;
        m_typedDigits.clear();
    }
    const QString digits = m_typedDigits + QString::number(digit);
    // No day or month 0, no "00": such a digit is not taken.
    if (section != YearSection && isComplete(section, digits) && digits.toInt() == 0)
        return;
    m_typedDigits = digits;
    if (section == DaySection && digits.toInt() > 0)
        m_wantedDay = digits.toInt();
    showTyped();
    if (isComplete(section, m_typedDigits))
        finishSection();
}

void TaviroDatePicker::finishSection()
{
    const Section next = nextSection(m_typedSection);
    m_typedSection = next == m_typedSection ? NoSection : next;
    m_typedDigits.clear();
    setCurrentSection(next);
    setSelectedSection(next);
}

void TaviroDatePicker::showTyped()
{
    const QDate shown = date();
    int year = shown.year();
    int month = shown.month();
    const int value = m_typedDigits.toInt();
    if (m_typedSection == YearSection)
        year = std::max(value, 1);
    else if (m_typedSection == MonthSection && value > 0)
        month = value;
    const int wanted = m_wantedDay > 0 ? m_wantedDay : shown.day();
    const QDate typed(year, month, std::min(wanted, QDate(year, month, 1).daysInMonth()));
    m_showingTyped = true;
    setDate(typed);
    m_showingTyped = false;
    setSelectedSection(m_typedSection);
}

bool datesAcceptable(const QWidget& container)
{
    for (TaviroDatePicker* picker : container.findChildren<TaviroDatePicker*>()) {
        if (picker->isEnabled() && picker->sayIfRefused())
            return false;
    }
    return true;
}

} // namespace taviro::widgets
