// The one rule for what typed text the data files can hold. Stored text is Windows-1250, a one-line
// value is one line of its file, and a record file keeps the line breaks of its values as "#" and
// "$", so a "#" typed into a name would come back from the file as a line break. Every entry control
// applies the rule as the user types or pastes: what it refuses is left out, the rest is taken, and
// the field says which characters it left out and why.
#pragma once

#include <QString>
#include <QStringList>
#include <QValidator>

namespace taviro::widgets {

struct StorableRule
{
    bool lineBreaks = false; // a memo keeps its line breaks
    bool lineMarks = false;  // "#" and "$": harmless where a file does not use them for line breaks
};

// The fields of the record files (names, positions …): one line, no "#" or "$".
inline constexpr StorableRule kRecordLine{};
// The memos of the record files: line breaks, but no "#" or "$".
inline constexpr StorableRule kRecordMemo{true, false};
// The account files and the login, whose values are stored pair-encoded: one line, any character of
// the code page.
inline constexpr StorableRule kAccountLine{false, true};

bool isStorable(QChar c, StorableRule rule);
bool isStorable(const QString& text, StorableRule rule);
// The text without the characters the rule refuses.
QString storablePart(const QString& text, StorableRule rule);
// The characters of the text that the rule refuses, each once, in their order; a character beyond
// the basic plane (an emoji) counts as one.
QStringList refusedCharacters(const QString& text, StorableRule rule);
// What a field says when it left those characters out: which they are and why, in Polish.
QString refusalNote(const QStringList& characters);

// Keeps a one-line field to the rule: what it refuses is taken out of the input and the rest stays
// (a paste keeps all it can), a line break in a paste becomes a blank. A "#" or "$" that a value
// already held when it was put into the field (an imported name, say) is let through, no more of
// them than it had, so that the value stays editable around them and is written back unchanged;
// extra ones are taken out where they were just typed, before the cursor.
class StorableTextValidator : public QValidator
{
    Q_OBJECT
public:
    explicit StorableTextValidator(StorableRule rule, QObject* parent = nullptr) : QValidator(parent), m_rule(rule) {}

    void allowLineMarksOf(const QString& loadedText);
    State validate(QString& input, int& position) const override;

signals:
    // Characters were taken out of the input.
    void refused(const QStringList& characters) const;

private:
    // For every position of input: whether it is a "#" or "$" beyond those the loaded value had.
    std::vector<bool> extraMarks(const QString& input, int position) const;

    StorableRule m_rule;
    qsizetype m_hashes = 0;
    qsizetype m_dollars = 0;
};

} // namespace taviro::widgets
