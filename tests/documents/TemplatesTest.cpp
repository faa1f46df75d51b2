// Documents produced from templates: byte-for-byte copies under fresh names, opened by the shell
// whether or not the copy worked.
#include "Templates.h"
#include "DesktopShell.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace taviro;
using namespace taviro::test;

namespace {

// A template with bytes that a text-mode copy would change.
const std::string kTemplateBytes = std::string("{\\rtf1 Arkusz \\'b9}\r\n\0\x1a\xff", 22) + std::string(40000, 'x');

struct TemplateStore
{
    TemplateStore()
    {
        std::filesystem::create_directory(store.dir.file("Temp"));
        store.dir.write("GradeC11.wzo", kTemplateBytes);
    }
    QString dataPath() const { return QString::fromStdString(store.dir.directory().path()); }
    QString tempPath() const { return QString::fromStdString(store.dir.file("Temp/")); }

    TestStore store;
    RecordingDesktopShell shell;
    Templates templates{store.files, store.counters, shell};
};

} // namespace

TEST(Templates, EveryWorkingCopyInTempHasAFreshName)
{
    TemplateStore data;
    const QString first = data.templates.openWorkingCopy("GradeC11.wzo");
    const QString second = data.templates.openWorkingCopy("GradeC11.wzo");
    EXPECT_EQ(first, "0000000001GradeC11.rtf");
    EXPECT_EQ(second, "0000000002GradeC11.rtf");
    EXPECT_EQ(data.store.dir.read("Temp/0000000001GradeC11.rtf"), kTemplateBytes);
    EXPECT_EQ(data.store.dir.read("Temp/0000000002GradeC11.rtf"), kTemplateBytes);
    ASSERT_EQ(data.shell.documents.size(), 2u);
    EXPECT_EQ(data.shell.documents[0], (RecordingDesktopShell::Document{data.tempPath(), first}));
    EXPECT_EQ(data.shell.documents[1], (RecordingDesktopShell::Document{data.tempPath(), second}));
    EXPECT_EQ(QDir(data.shell.documents[1].directory).filePath(second),
              QString::fromStdString(data.store.dir.file("Temp/0000000002GradeC11.rtf")));
}

TEST(Templates, UniqueNumbersAreSharedByAllTemplates)
{
    TemplateStore data;
    data.store.dir.write("GradeA2.wzo", "{\\rtf1 wzor}");
    EXPECT_EQ(data.templates.openWorkingCopy("GradeC11.wzo"), "0000000001GradeC11.rtf");
    EXPECT_EQ(data.templates.openWorkingCopy("GradeA2.wzo"), "0000000002GradeA2.rtf");
    EXPECT_EQ(data.store.dir.read("Temp/0000000002GradeA2.rtf"), "{\\rtf1 wzor}");
}

TEST(Templates, AMissingTemplateIsStillOpened)
{
    TemplateStore data;
    const QString name = data.templates.openWorkingCopy("GradeC14.wzo");
    EXPECT_EQ(name, "0000000001GradeC14.rtf");
    EXPECT_FALSE(data.store.dir.exists("Temp/0000000001GradeC14.rtf"));
    ASSERT_EQ(data.shell.documents.size(), 1u);
    EXPECT_EQ(data.shell.documents[0].fileName, name) << "the shell reports the missing file its own way";
}

TEST(Templates, ProduceAndOpenCopiesIntoAnyFolder)
{
    TemplateStore data;
    data.templates.produceAndOpen("GradeC11.wzo", data.dataPath(), "Kopia.rtf");
    EXPECT_EQ(data.store.dir.read("Kopia.rtf"), kTemplateBytes);
    ASSERT_EQ(data.shell.documents.size(), 1u);
    EXPECT_EQ(data.shell.documents[0], (RecordingDesktopShell::Document{data.dataPath(), "Kopia.rtf"}));
}

TEST(Templates, InterviewNotesAreMadeOnceAndReopened)
{
    TemplateStore data;
    data.store.dir.write("GradeA1.wzo", "{\\rtf1 Kwestionariusz}");

    const QString name = data.templates.openInterviewNotes("");
    EXPECT_EQ(name, "Do000001.rtf");
    EXPECT_EQ(data.store.dir.read("Do000001.rtf"), "{\\rtf1 Kwestionariusz}");

    // The user's own notes are never overwritten by the template.
    data.store.dir.write("Do000001.rtf", "{\\rtf1 Notatki z rozmowy}");
    EXPECT_EQ(data.templates.openInterviewNotes(name), name);
    EXPECT_EQ(data.store.dir.read("Do000001.rtf"), "{\\rtf1 Notatki z rozmowy}");
    EXPECT_EQ(data.store.counters.next(Counter::Document), "000002") << "reopening draws no number";

    // Deleted by hand: made again under the name the appraisal keeps.
    std::filesystem::remove(data.store.dir.file("Do000001.rtf"));
    EXPECT_EQ(data.templates.openInterviewNotes(name), name);
    EXPECT_EQ(data.store.dir.read("Do000001.rtf"), "{\\rtf1 Kwestionariusz}");

    ASSERT_EQ(data.shell.documents.size(), 3u);
    for (const auto& request : data.shell.documents)
        EXPECT_EQ(request, (RecordingDesktopShell::Document{data.dataPath(), "Do000001.rtf"}));
    EXPECT_FALSE(data.store.dir.exists("Temp/Do000001.rtf"));
}
