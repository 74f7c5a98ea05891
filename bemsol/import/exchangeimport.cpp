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

using TagHandler = bool (*)(ExchangeReader&, QByteArrayView line);

bool checkRoot(ExchangeReader& reader, QByteArrayView line)
{
    if (CheckExchangeVersion(TextOf(line), reader.model()))
        return true;
    reader.fail(QString::fromUtf16(exchangeVersionMessage));
    return false;
}

bool readOccupations(ExchangeReader& reader, QByteArrayView)
{
    ReadOccupationList(reader);
    return !reader.failed();
}

bool readBaselines(ExchangeReader& reader, QByteArrayView)
{
    ReadBaselineList(reader);
    if (reader.failed())
        return false;
    SeparateSharedOccupations(reader.model());
    return true;
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
                            const ProgressCallback& progress)
{
    ExchangeReader reader(bytes, model, progress);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.nextLine();
        if (!line.contains('<'))
            continue;
        const QByteArrayView tag = TagNameOf(line);
        for (const Dispatch& d : topLevelTags) {
            if (d.tag == tag) {
                if (!d.handler(reader, line))
                    return Outcome::failure(reader.failure());
                break;
            }
        }
    }
    if (reader.cancelled())
        return CancelledOutcome();
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
    return ImportExchangeBytes(bytes, model, progress);
}
