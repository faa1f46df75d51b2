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
    for (const ui::PageId page : {ui::PageId::Cell, ui::PageId::GradeB1, ui::PageId::Admin}) {
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
    const auto title = [&](ui::PageId page) {
        return qobject_cast<ContentPage*>(fixture.window->page(page))->titleStrip()->text();
    };
    EXPECT_EQ(title(ui::PageId::GradeB1), "Wybór kryteriów do oceny i notatki z rozmów przed i po ich ustaleniu");
    EXPECT_EQ(title(ui::PageId::GradeB2), "Wyjaśnienia dotyczące obowiązkowej rozmowy przed wyborem kryteriów");
    EXPECT_EQ(title(ui::PageId::GradeC1), "Instrukcje jak przeprowadzić rozmowę oceniającą");
    EXPECT_EQ(title(ui::PageId::Admin), "Administracja programem");
    EXPECT_EQ(fixture.window->page(ui::PageId::Admin)->objectName(), "TaviroAdminPanel");
}
