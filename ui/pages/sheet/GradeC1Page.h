// The tools for the appraisal interview: explanations and four documents to open.
#pragma once

#include "SheetPage.h"

#include <QListWidget>

namespace taviro::ui {

class GradeC1Page : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeC1Page(QWidget* parent = nullptr);

    // Nothing of the appraisal is shown here; opening a sheet selects the first document.
    void load(const Appraisal& appraisal) override;
    // The explanations box TaviroGradeC1Memo1, filled by the controller.
    QTextEdit* explanationText() const { return m_explanation; }
    QWidget* firstField() const override;

signals:
    // "Otwórz" with a document selected: its position in the list, 0 to 3.
    void openRequested(int document);

protected:
    void layOutGroups(int width, int height) override;

private:
    void open();

    QTextEdit* m_explanation = nullptr;
    QGroupBox* m_documentGroup = nullptr;
    QListWidget* m_documents = nullptr;
    QPushButton* m_open = nullptr;
};

} // namespace taviro::ui
