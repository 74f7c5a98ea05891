#include "exchangeimport.h"

#include "baselinelistreader.h"
#include "exchangereader.h"
#include "linegrammar.h"
#include "model/occupationsharing.h"
#include "occupationlistreader.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace {

using TagHandler = Outcome (*)(ExchangeReader&, QByteArrayView line);

Outcome checkRoot(ExchangeReader& reader, QByteArrayView line)
{
    if (CheckExchangeVersion(TextOf(line), reader.model()))
        return Outcome::success();
    return Outcome::failure(QString::fromUtf16(exchangeVersionMessage));
}

Outcome readOccupations(ExchangeReader& reader, QByteArrayView)
{
    ReadOccupationList(reader);
    return Outcome::success();
}

Outcome readBaselines(ExchangeReader& reader, QByteArrayView)
{
    Outcome outcome = ReadBaselineList(reader);
    if (outcome)
        SeparateSharedOccupations(reader.model());
    return outcome;
}

struct Dispatch
{
    QByteArrayView tag;
    TagHandler handler;
};

// Top-level tags that do something; "ProjectInfo" and every other tag are passed by,
// and their child lines are then seen one by one and passed by as well.
const std::array<Dispatch, 3> topLevelTags{{
    {"JapaneseExchangeFormat", checkRoot},
    {"OccupationList", readOccupations},
    {"BaselineList", readBaselines},
}};

// A root written as one empty element: "<JapaneseExchangeFormat .../>" or with its
// closing tag on the same line.
bool rootClosesOnItsLine(QByteArrayView line)
{
    if (line.contains("</JapaneseExchangeFormat"))
        return true;
    const qsizetype open = line.indexOf('<');
    const qsizetype close = line.indexOf('>', open + 1);
    return close > 0 && line[close - 1] == '/';
}

// Reads the top-level lines into `model` until the root element closes, or until a
// list is refused. The lists consume their own lines, so a list left open swallows the
// root's closing tag and the file reads as cut short.
enum class RootSeen { No, Open, Closed };

Result<RootSeen> importLines(ExchangeReader& reader)
{
    RootSeen root = RootSeen::No;
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.nextLine();
        if (!line.contains('<'))
            continue;
        const QByteArrayView tag = TagNameOf(line);
        if (tag == "/JapaneseExchangeFormat" && root == RootSeen::Open)
            return RootSeen::Closed;
        for (const Dispatch& d : topLevelTags) {
            if (d.tag == tag) {
                if (Outcome read = d.handler(reader, line); !read)
                    return read;
                break;
            }
        }
        if (tag == "JapaneseExchangeFormat")
            root = rootClosesOnItsLine(line) ? RootSeen::Closed : RootSeen::Open;
        if (root == RootSeen::Closed)
            return root;
    }
    return root;
}

} // namespace

bool CheckExchangeVersion(QStringView rootLine, ProjectModel& model)
{
    static constexpr QStringView software = u"Trimble Total Control";
    const qsizetype at = rootLine.indexOf(software);
    if (at < 0)
        return false;
    model.swProgram = rootLine.mid(at, 26).toString();
    return true;
}

Outcome ImportExchangeBytes(QByteArrayView bytes, ProjectModel& model,
                            const ProgressCallback& progress, const QString& shownName)
{
    // Read into a model of its own, so that a refused file leaves the caller's as it was.
    ProjectModel imported;
    ExchangeReader reader(bytes, imported, progress);
    const Result<RootSeen> root = importLines(reader);
    if (reader.cancelled())
        return CancelledOutcome();
    if (!root)
        return root.outcome();
    // Another program's XML, a text or a binary file has no root line of ours.
    if (*root == RootSeen::No)
        return Outcome::failure(QString::fromUtf16(exchangeVersionMessage));
    if (*root == RootSeen::Open)
        return Outcome::failure(shownName.isEmpty()
                                    ? QStringLiteral("ファイルが途中で終わっています")
                                    : QStringLiteral("ファイルが途中で終わっています: %1").arg(shownName));
    model = std::move(imported);
    return Outcome::success();
}

Outcome ReadExchangeFile(const QString& path, ProjectModel& model, const ProgressCallback& progress)
{
    const QString shownName = QFileInfo(path).absoluteFilePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QStringLiteral("ファイルを開けません: %1\n%2")
                                    .arg(shownName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(QStringLiteral("ファイルを読み込めません: %1\n%2")
                                    .arg(shownName, file.errorString()));
    if (bytes.isEmpty())
        return Outcome::failure(QStringLiteral("ファイルが空です: %1").arg(shownName));
    return ImportExchangeBytes(bytes, model, progress, shownName);
}
