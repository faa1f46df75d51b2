#include "DataRepair.h"
#include "DataCheckAccess.h"

#include "Counters.h"
#include "RecordKeys.h"
#include "RecordText.h"
#include "TextCodec.h"

#include <string_view>

namespace taviro {
namespace {

constexpr std::size_t kCounterBytes = 4;

// Where one record stands in a file's content: its bytes from "{" to "}" and what removing it
// takes away (the empty line after it too).
struct RecordSpan
{
    std::size_t begin = 0;
    std::size_t end = 0;     // after the "}" line
    std::size_t removal = 0; // after the empty line that follows, where there is one
    bool last = false;       // nothing but empty lines after it
};

std::vector<RecordSpan> spansOf(std::string_view content, long long id)
{
    std::vector<RecordSpan> spans;
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t begin = kNone; // of the open record
    bool wanted = false;
    for (const LineSpan& line : Lines(content)) {
        if (isRecordStart(line.text)) {
            begin = line.begin;
            wanted = false;
        } else if (begin != kNone && isRecordEnd(line.text)) {
            if (wanted)
                spans.push_back({begin, line.next, line.next, false});
            begin = kNone;
        } else if (begin != kNone && line.text.find('=') != std::string_view::npos) {
            const KeyValue field = splitLine(line.text);
            wanted = wanted || (field.key == keys::kId && parseInteger(field.value) == id);
        }
    }
    for (RecordSpan& span : spans) {
        if (content.substr(span.end).starts_with("\r\n"))
            span.removal += 2;
        else if (content.substr(span.end).starts_with("\n"))
            span.removal += 1;
        span.last = trimmedView(content.substr(span.end)).empty();
    }
    return spans;
}

class Repairer
{
public:
    Repairer(SharedFileAccess& files, std::string stamp) : m_files(files), m_stamp(std::move(stamp)) {}

    std::vector<std::string> run(const DataCheckReport& report, std::int64_t leftoverAge)
    {
        for (const EmployeeTwice& twice : report.employeesTwice)
            removeSecondCopy(twice);
        for (const CounterBehind& counter : report.countersBehind)
            raise(counter);
        if (const int removed = m_files.removeStaleTemporaryFiles(leftoverAge); removed > 0)
            m_done.push_back("Temp: usunięto pozostałości po pracy programu, których nikt nie używał: " +
                             std::to_string(removed));
        share(check::filesIn(m_files.directory().path()), {});
        share(check::filesIn(m_files.fullPath("Locks")), "Locks");
        return std::move(m_done);
    }

private:
    // The whole old content goes to "Kopie" before anything is changed; a second copy of the same
    // file in one second gets a number after the time.
    std::string keepCopy(const std::string& file, std::string_view content)
    {
        std::string name = relativeName({"Kopie", file + "." + m_stamp});
        for (int n = 2; m_files.exists(name); ++n)
            name = relativeName({"Kopie", file + "." + m_stamp + "-" + std::to_string(n)});
        platform::File copy = m_files.createPrivateFile(name);
        m_files.writePrivate(copy, name, content);
        return name;
    }

    // A move appends the employee to the unit it goes to before it takes the record out of the
    // unit it leaves, so the copy that is the last record of its file is the one the move wrote.
    // When both copies are last (or neither), the files cannot tell which unit is the right one,
    // and nothing is changed.
    void removeSecondCopy(const EmployeeTwice& twice)
    {
        const std::string id = identifierText(twice.id);
        auto [first, second] = m_files.lockBothWithRetry(twice.firstFile, twice.secondFile);
        m_files.openLocked(first, OpenKind::BinaryReadWrite);
        m_files.openLocked(second, OpenKind::BinaryReadWrite);
        const std::string firstContent = first.readAll();
        const std::string secondContent = second.readAll();
        const auto inFirst = spansOf(firstContent, twice.id);
        const auto inSecond = spansOf(secondContent, twice.id);
        const std::string pair = "pracownik " + id + " (pliki " + twice.firstFile + " i " + twice.secondFile + ")";
        if (inFirst.size() != 1 || inSecond.size() != 1) {
            m_done.push_back(pair + ": nie naprawiono, pracownik nie jest już dokładnie raz w każdym z plików");
            return;
        }
        const RecordSpan& a = inFirst.front();
        const RecordSpan& b = inSecond.front();
        if (std::string_view(firstContent).substr(a.begin, a.end - a.begin) !=
            std::string_view(secondContent).substr(b.begin, b.end - b.begin)) {
            m_done.push_back(pair +
                             ": nie naprawiono, obie kopie różnią się; trzeba je porównać i jedną usunąć ręcznie");
            return;
        }
        if (a.last == b.last) {
            m_done.push_back(pair + ": nie naprawiono, z plików nie wynika, z której komórki pracownik był "
                                    "przenoszony; kopię w pliku komórki, którą opuszczał, trzeba usunąć ręcznie");
            return;
        }
        SharedFile& source = a.last ? second : first;
        const std::string& content = a.last ? secondContent : firstContent;
        const RecordSpan& span = a.last ? b : a;
        const std::string kept = a.last ? twice.firstFile : twice.secondFile;
        const std::string backup = keepCopy(source.relativeName(), content);
        const std::string temporary = relativeName({"Temp", source.relativeName() + ".rep"});
        platform::File copy = m_files.createPrivateFile(temporary);
        m_files.writePrivate(copy, temporary, content.substr(0, span.begin) + content.substr(span.removal));
        const std::string name = source.relativeName();
        source.replaceWith(m_files.fullPath(temporary));
        m_done.push_back(name + ": usunięto drugą kopię pracownika " + id + " (taka sama została w pliku " + kept +
                         "); poprzednia zawartość pliku jest w " + backup);
    }

    void raise(const CounterBehind& counter)
    {
        SharedFile file = m_files.openWithRetry(counter.file, OpenKind::BinaryOpenOrCreate);
        const std::string content = file.readAll();
        long long value = 0;
        for (std::size_t i = 0; i < content.size() && content.size() == kCounterBytes; ++i)
            value |= static_cast<long long>(static_cast<unsigned char>(content[i])) << (8 * i);
        if (!content.empty() && content.size() != kCounterBytes) {
            m_done.push_back(counter.file + ": nie naprawiono, plik licznika jest uszkodzony");
            return;
        }
        if (value > counter.highest)
            return; // another workstation drew past it meanwhile
        std::string bytes(kCounterBytes, '\0');
        const auto raised = static_cast<std::uint32_t>(counter.highest + 1);
        for (std::size_t i = 0; i < kCounterBytes; ++i)
            bytes[i] = static_cast<char>((raised >> (8 * i)) & 0xFF);
        std::string text = counter.file + ": licznik ustawiony na " + identifierText(counter.highest + 1) +
                           ", powyżej najwyższego użytego identyfikatora";
        if (content.empty())
            text += " (pliku licznika nie było)";
        else
            text += " (było " + identifierText(value) + "; poprzednia zawartość jest w " +
                    keepCopy(counter.file, content) + ")";
        file.writeAt(0, bytes);
        file.flush();
        file.close();
        m_done.push_back(text);
    }

    void share(const std::vector<std::string>& names, std::string_view folder)
    {
        for (const std::string& name : names) {
            const std::string file = folder.empty() ? name : relativeName({folder, name});
            if (!platform::lacksFolderSharing(m_files.fullPath(file)))
                continue;
            if (const auto error = platform::shareLikeFolder(m_files.fullPath(file)))
                m_done.push_back(file + ": nie udało się nadać uprawnień: " + platform::errorText(error));
            else
                m_done.push_back(file + ": nadano uprawnienia odczytu i zapisu, jakie katalog daje innym użytkownikom");
        }
    }

    SharedFileAccess& m_files;
    std::string m_stamp;
    std::vector<std::string> m_done;
};

} // namespace

std::vector<std::string> repairDataDirectory(SharedFileAccess& files, const DataCheckReport& report,
                                             const std::string& stamp, std::int64_t leftoverAgeSeconds)
{
    return Repairer(files, stamp).run(report, leftoverAgeSeconds);
}

} // namespace taviro
