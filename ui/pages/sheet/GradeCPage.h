// Section C of the sheet: the evaluator and the opinion on how the employee performed the duties, with
// a sample opinion and the way to the tools for the appraisal interview.
#pragma once

#include "SheetPage.h"

#include <QDate>

#include <array>

namespace taviro::ui {

class GradeCPage : public SheetPage
{
    Q_OBJECT
public:
    explicit GradeCPage(QWidget* parent = nullptr);

    QWidget* firstField() const override;
    // Shows the evaluator's start date without reporting it as changed.
    void setEvaluatorDate(const QDate& date);

signals:
    void interviewRequested();     // "Rozmowa"
    void sampleOpinionRequested(); // "Przykład opinii"
    // The user changed the evaluator's start date.
    void evaluatorDateChanged(const QDate& date);

protected:
    void layOutGroups(int width, int height) override;

private:
    void buildInterviewGroup();
    void buildOpinionGroup();
    void layOutOpinionGroup();

    QGroupBox* m_interviewGroup = nullptr;
    QGroupBox* m_opinionGroup = nullptr;
    QLabel* m_interviewCaption = nullptr;
    QPushButton* m_interview = nullptr;
    // TaviroGradeCEdit1 … 3 and the date, with their captions.
    std::array<widgets::TaviroLineEdit*, 3> m_edits{};
    widgets::TaviroDatePicker* m_date = nullptr;
    std::array<QLabel*, 4> m_captions{};
    QLabel* m_guidance = nullptr;
    widgets::TaviroMemo* m_opinion = nullptr;
    QPushButton* m_sample = nullptr;
};

} // namespace taviro::ui
