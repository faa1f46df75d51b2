// The layout rule of the content pages and the main window's size.
#include "MainWindowFixture.h"

#include "pages/ContentPage.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::ContentPage;

TEST(Layout, TheMainWindowStartsAt1004By748AndCannotShrinkBelow1004By728)
{
    MainWindowFixture fixture;
    fixture.start();
    EXPECT_EQ(fixture.window->size(), QSize(1004, 748));
    EXPECT_EQ(fixture.window->minimumSize(), QSize(1004, 728));
    EXPECT_EQ(fixture.window->windowTitle(), "Ocena okresowa pracownika samorządowego");
}

TEST(Layout, AfterEveryResizeTheButtonsAndTheHintBoxFollowThePage)
{
    MainWindowFixture fixture;
    fixture.start();
    for (const int page :
         {ui::TTaviroMainForm::CellPage, ui::TTaviroMainForm::GradeB1Page, ui::TTaviroMainForm::AdminPage}) {
        fixture.window->showPage(page);
        for (const QSize size : {QSize(1004, 748), QSize(1300, 900), QSize(1100, 728)}) {
            fixture.window->resize(size);
            QCoreApplication::processEvents();
            auto* content = qobject_cast<ContentPage*>(fixture.window->page(page));
            ASSERT_NE(content, nullptr);
            const int width = content->width();
            const int height = content->height();
            QPushButton* last = content->button(ContentPage::ButtonRole::Last);
            EXPECT_EQ(last->x(), width - 83) << page;
            EXPECT_EQ(last->y(), height - 29);
            if (QPushButton* help = content->button(ContentPage::ButtonRole::Help)) { // the admin page has none
                EXPECT_EQ(help->x(), 8);
            }
            EXPECT_EQ(content->titleStrip()->height(), 20);
            if (content->hintBox()) {
                EXPECT_EQ(content->hintBox()->height(), height - 524) << page;
                EXPECT_EQ(content->hintBox()->width(), width - 16);
                EXPECT_EQ(content->hintText()->width(), content->hintBox()->width() - 16);
            }
        }
    }
}

TEST(Layout, ThePagesKeepTheirTitles)
{
    MainWindowFixture fixture;
    fixture.start();
    const auto title = [&](int page) {
        return qobject_cast<ContentPage*>(fixture.window->page(page))->titleStrip()->text();
    };
    EXPECT_EQ(title(ui::TTaviroMainForm::GradeB1Page),
              "Wybór kryteriów do oceny i notatki z rozmów przed i po ich ustaleniu");
    EXPECT_EQ(title(ui::TTaviroMainForm::GradeB2Page),
              "Wyjaśnienia dotyczące obowiązkowej rozmowy przed wyborem kryteriów");
    EXPECT_EQ(title(ui::TTaviroMainForm::GradeC1Page), "Instrukcje jak przeprowadzić rozmowę oceniającą");
    EXPECT_EQ(title(ui::TTaviroMainForm::AdminPage), "Administracja programem");
    EXPECT_EQ(fixture.window->page(ui::TTaviroMainForm::AdminPage)->objectName(), "TaviroAdminPanel");
}
