// The about dialog: its texts and how it closes.
#include "ModalDriver.h"
#include "dialogs/TaviroAboutCode.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro::ui;

TEST(AboutDialog, ShowsNameVersionAuthorAndProducer)
{
    TTaviroAboutForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("O programie ..."));
    EXPECT_EQ(form.size(), QSize(372, 202));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    auto text = [&](const char* name) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    };
    auto* title = form.findChild<QLabel*>(QStringLiteral("TaviroAboutTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Rizuvura variv kwalifikacyjna"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(text("TaviroAboutVersion"), QStringLiteral("Wersja 0.1.0"));
    for (const char* heading : {"TaviroAboutAuthorHeading", "TaviroAboutProducerHeading"})
        EXPECT_TRUE(form.findChild<QLabel*>(QString::fromLatin1(heading))->font().underline()) << heading;
    EXPECT_EQ(text("TaviroAboutAuthorHeading"), QStringLiteral("Autor"));
    EXPECT_EQ(text("TaviroAboutProducerHeading"), QStringLiteral("Producent"));
    EXPECT_EQ(text("TaviroAboutAuthorText").count(QLatin1Char('\n')), 1) << "two lines of credits";
    EXPECT_FALSE(text("TaviroAboutProducerText").isEmpty());
    EXPECT_FALSE(text("TaviroAboutProducerText").contains(QLatin1Char('\n')));
    EXPECT_TRUE(form.findChild<QPushButton*>(QStringLiteral("TaviroAboutCloseButton"))->isDefault());
}

TEST(AboutDialog, ClosesWithEscOrZamknij)
{
    for (const bool useButton : {false, true}) {
        TTaviroAboutForm form;
        taviro::test::whenModalShown([&](QWidget* dialog) {
            if (useButton)
                taviro::test::clickButton(dialog, QStringLiteral("TaviroAboutCloseButton"));
            else
                taviro::test::clickKey(dialog, Qt::Key_Escape);
        });
        EXPECT_EQ(form.exec(), QDialog::Rejected);
    }
}
