// Template documents: byte-for-byte copies of the .wzo files of the data directory, opened with
// the desktop's word processor.
#pragma once

#include <QString>

namespace taviro {

class Counters;
class DesktopShell;
class SharedFileAccess;

class Templates
{
public:
    Templates(SharedFileAccess& files, Counters& counters, DesktopShell& shell);

    // Copies templateName from the data directory to targetDirectory under targetName, then asks
    // the shell to open the target. Whether the copy succeeded is not examined: a missing
    // template leaves the shell to report the missing file its own way.
    void produceAndOpen(const QString& templateName, const QString& targetDirectory, const QString& targetName);

    // A fresh working copy in Temp, named with the next unique number and the template's base
    // name: "GradeC11.wzo" gives "0000000003GradeC11.rtf". Returns the name of the copy.
    QString openWorkingCopy(const QString& templateName);

    // The interview notes of an appraisal, a document of its own in the data directory made once
    // from GradeA1.wzo. storedName is the name the appraisal already holds, or empty: then the
    // next document number gives "Do" + six digits + ".rtf". The template is copied only when the
    // document does not exist. Returns the name the appraisal keeps.
    QString openInterviewNotes(const QString& storedName);

    QString temporaryDirectory() const;

private:
    SharedFileAccess& m_files;
    Counters& m_counters;
    DesktopShell& m_shell;
};

inline constexpr char kInterviewNotesTemplate[] = "GradeA1.wzo";

} // namespace taviro
