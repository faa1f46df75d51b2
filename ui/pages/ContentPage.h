// The frame every content page but the start page shares: the title strip at the top, the
// group boxes, the " Podpowiedź " hint box, the bevel and the row of buttons at the bottom, all
// placed by the one layout rule whenever the page changes size.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

#include <map>

class QFrame;
class QKeyEvent;

namespace taviro::ui {

class ContentPage : public QWidget
{
    Q_OBJECT
public:
    // Where a bottom button stands: Help at the left, the others counted from the right edge.
    enum class ButtonRole
    {
        Help,
        Back,
        Next,
        Save,
        Last, // Cancel, Close or Return
    };

    // Distances of the layout rule, in pixels.
    static constexpr int kMargin = 8;
    static constexpr int kTitleHeight = 20;
    static constexpr int kHintShorterThanPage = 524;
    static constexpr int kBevelAboveBottom = 37;
    static constexpr int kButtonsAboveBottom = 29;
    static constexpr int kButtonWidth = 75;
    static constexpr int kButtonHeight = 25;
    static constexpr int kHintAboveBevel = 6;
    // Where the first group box starts below the title strip, and the space between groups.
    static constexpr int kGroupGap = 8;
    static constexpr int kFirstGroupTop = kTitleHeight + kGroupGap;
    // The hint box grows with the page from a fixed top: groups above it end kGroupGap higher.
    static constexpr int kHintTop = kHintShorterThanPage - kBevelAboveBottom - kHintAboveBevel;

    ContentPage(const QString& objectName, const QString& titleObjectName, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QLabel* titleStrip() const { return m_title; }
    // The " Podpowiedź " box with its read-only rich-text hint (objectName memoName).
    QTextEdit* addHintBox(const QString& memoName);
    QTextEdit* hintText() const { return m_hintText; }
    QGroupBox* hintBox() const { return m_hintBox; }
    QPushButton* addButton(ButtonRole role, const QString& objectName, const QString& text);
    QPushButton* button(ButtonRole role) const;

    // Applies the layout rule for the page's present size.
    void layOutPage();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Pages with group boxes place them here; width and height are the page's.
    virtual void layOutGroups(int width, int height);
    // Enter (without modifiers but the keypad's) works the default button, as long as that button is
    // enabled. Returns whether the key was used.
    static bool pressDefaultButton(QKeyEvent* event, QPushButton* defaultButton);

private:
    static int buttonLeft(ButtonRole role, int width);

    QLabel* m_title = nullptr;
    QGroupBox* m_hintBox = nullptr;
    QTextEdit* m_hintText = nullptr;
    QFrame* m_bevel = nullptr;
    std::map<ButtonRole, QPushButton*> m_buttons;
};

} // namespace taviro::ui
