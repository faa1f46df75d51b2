// What the documents, web page and mail commands ask of the desktop shell.
#include "DesktopShell.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

TEST(ShellRequests, ReferenceDocumentsOpenInPlaceEvenWhenAbsent)
{
    TemporaryDataDirectory data;
    RecordingDesktopShell shell;
    openReferenceDocument(shell, data.directory(), ReferenceDocument::Regulations);
    openReferenceDocument(shell, data.directory(), ReferenceDocument::Statute);
    const QString path = QString::fromStdString(data.directory().path());
    ASSERT_EQ(shell.documents.size(), 2u);
    EXPECT_EQ(shell.documents[0], (RecordingDesktopShell::Document{path, "Regulamin.rtf"}));
    EXPECT_EQ(shell.documents[1], (RecordingDesktopShell::Document{path, "Ustawa.rtf"}));
    EXPECT_FALSE(data.exists("Regulamin.rtf")) << "nothing is created or copied";
    EXPECT_TRUE(shell.urls.empty());
}

TEST(ShellRequests, WebPageAndMailGoToTheProducer)
{
    RecordingDesktopShell shell;
    openProducerWebPage(shell);
    openProducerMail(shell);
    ASSERT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0].scheme(), "https");
    EXPECT_TRUE(shell.urls[0].isValid());
    EXPECT_EQ(shell.urls[1].toString(QUrl::FullyEncoded),
              "mailto:biuro@velmora.pl?subject=Rizuvura%20variv%20kwalifikacyjna");
    EXPECT_TRUE(shell.documents.empty());
}
