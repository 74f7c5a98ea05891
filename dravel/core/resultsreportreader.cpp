#include "resultsreportreader.h"

#include "reportpage.h"
#include "valueformats.h"

#include <QDir>
#include <QSet>

namespace {

// Lines in a coordinate list row after its first line: up to the value, then to the end.
constexpr int rowLinesBeforeValue = 24;
constexpr int rowLinesAfterValue = 13;

// The second table of a results page holds the point's name this many lines after the
// line that opens it.
constexpr int nameLineInSecondTable = 17;

const QString table = QStringLiteral("<table");

// The page a link line of the index points at: the link ends at the line's first "htm".
QString linkedName(QStringView line)
{
    const qsizetype htm = line.indexOf(u"htm");
    return htm < 0 ? QString() : linkTarget(line, htm);
}

// The text of a table cell that stands last on its line: the line without its closing
// "</td>", after the last ">", trimmed.
std::optional<QString> lastCellText(QStringView line)
{
    if (line.size() < 5)
        return std::nullopt;
    const QStringView cell = line.chopped(5);
    return trimBlanks(cell.sliced(cell.lastIndexOf(u'>') + 1));
}

// A metre value: the text before the unit sign at `unitAt`, after the last ">", trimmed.
std::optional<QString> metreValue(QStringView line, qsizetype unitAt)
{
    if (unitAt < 0)
        return std::nullopt;
    const QStringView before = line.left(unitAt);
    return trimBlanks(before.sliced(before.lastIndexOf(u'>') + 1));
}

QString pointLabel(const ResultPoint& p)
{
    return QStringLiteral("点 %1（%2）").arg(p.PointNumber, p.PointName);
}

// A next-page link back to a page already read would send the reader round for ever.
void refuseLinkBack(const ReportPage& page, const QString& next, const QSet<QString>& visited)
{
    if (visited.contains(next))
        throw page.fault(QStringLiteral("次ページへのリンクが、読み終えたページ %1 に戻っています。")
                             .arg(QDir::toNativeSeparators(next)));
}

} // namespace

ReportReading ResultsReportReader::read(const QString& frameSetPage)
{
    QList<ResultPoint> points;
    try {
        const QString indexPage = findIndexPage(frameSetPage);
        findFirstPages(indexPage);
        readCoordinateList(points);
        readResultsTables(points);
    } catch (const ReportFault& fault) {
        return {{}, dravel::Outcome::failure(fault.message)};
    }
    return {std::move(points), dravel::Outcome::success()};
}

QString ResultsReportReader::findIndexPage(const QString& frameSetPage)
{
    const QString contents = QStringLiteral("name=\"contents\">");
    ReportPage page(pages_, frameSetPage);
    while (const std::optional<QString> line = page.nextLine()) {
        // The frame line ends in `"index.htm" name="contents">`: the quote, a blank and
        // the 16 characters go, and the name is what follows the first quote.
        if (!line->endsWith(contents))
            continue;
        const QStringView frame =
            QStringView(*line).chopped(std::min(line->size(), contents.size() + 2));
        const QString name = frame.sliced(frame.indexOf(u'"') + 1).toString();
        if (name.isEmpty())
            break;
        return directoryOf(frameSetPage) + name;
    }
    throw page.fault(QStringLiteral("目次ページへのリンク（name=\"contents\"> で終わる行）がありません。"));
}

void ResultsReportReader::findFirstPages(const QString& indexPage)
{
    coordinateListPage_.clear();
    resultsTablePage_.clear();
    ReportPage page(pages_, indexPage);
    // The last link of each kind counts.
    while (const std::optional<QString> line = page.nextLine()) {
        if (line->contains(u"座標の計算結果")) {
            if (const QString name = linkedName(*line); !name.isEmpty())
                coordinateListPage_ = directoryOf(indexPage) + name;
        }
        if (line->contains(u"成果表")) {
            if (const QString name = linkedName(*line); !name.isEmpty())
                resultsTablePage_ = directoryOf(indexPage) + name;
        }
    }
    if (coordinateListPage_.isEmpty())
        throw page.fault(QStringLiteral("「座標の計算結果」へのリンクがありません。"));
    if (resultsTablePage_.isEmpty())
        throw page.fault(QStringLiteral("「成果表」へのリンクがありません。"));
}

void ResultsReportReader::readCoordinateList(QList<ResultPoint>& points)
{
    const QString list = QStringLiteral("座標一覧の表");
    QSet<QString> visited;
    QString path = coordinateListPage_;
    for (;;) {
        visited.insert(path);
        ReportPage page(pages_, path);
        // The list is the second table, after its two heading rows.
        page.requireLine(table, list);
        page.requireLine(table, list);
        page.requireLine(u"</tr>", list);
        page.requireLine(u"</tr>", list);
        while (readPointRow(page, points)) {
        }
        // The list goes on until a page's next-page link leads to the first results page.
        if (!page.SkipToLine(table))
            return;
        path = page.NextPageLink();
        if (path == resultsTablePage_)
            return;
        refuseLinkBack(page, path, visited);
    }
}

bool ResultsReportReader::readPointRow(ReportPage& page, QList<ResultPoint>& points)
{
    const QString row = QStringLiteral("座標一覧の行");
    const QString line = page.readLine(QStringLiteral("座標一覧の表"));
    if (!line.startsWith(u"<tr>"))
        return false;

    // The first cell holds "number (name)".
    const std::optional<QString> cell = lastCellText(line);
    const qsizetype blank = cell ? cell->indexOf(u' ') : -1;
    const qsizetype open = cell ? cell->indexOf(u'(') : -1;
    const qsizetype close = cell ? cell->lastIndexOf(u')') : -1;
    if (blank < 0 || open < 0 || close < open)
        throw page.fault(
            QStringLiteral("座標一覧の行「%1」に「番号 (点名)」の形の点番号と点名がありません。")
                .arg(line));
    const QStringView number = QStringView(*cell).left(blank);
    ResultPoint point;
    const std::optional<QString> filled = zeroFilledPointNumber(number);
    if (!filled)
        throw page.fault(
            QStringLiteral("点番号「%1」が5文字を超えています。").arg(number.toString()));
    point.PointNumber = *filled;
    point.PointName = trimBlanks(QStringView(*cell).sliced(open + 1, close - open - 1));

    page.SkipLines(rowLinesBeforeValue, row);
    const QString valueLine = page.readLine(row);
    const std::optional<QString> value = metreValue(valueLine, valueLine.lastIndexOf(u'ｍ'));
    if (!value)
        throw page.fault(
            QStringLiteral("%1の座標一覧の値に単位「ｍ」がありません。").arg(pointLabel(point)));
    const std::optional<QString> listValue = formatThreeDecimals(*value);
    if (!listValue)
        throw page.fault(QStringLiteral("%1の座標一覧の値「%2」が数値ではありません。")
                             .arg(pointLabel(point), *value));
    point.ListValue = *listValue;
    page.SkipLines(rowLinesAfterValue, row);

    points.append(std::move(point));
    return true;
}

void ResultsReportReader::readResultsTables(QList<ResultPoint>& points)
{
    QSet<QString> visited;
    QString path = resultsTablePage_;
    for (qsizetype i = 0; i < points.size();) {
        visited.insert(path);
        ReportPage page(pages_, path);
        const QString what = QStringLiteral("%1の成果表").arg(pointLabel(points[i]));
        page.requireLine(table, what);
        page.requireLine(table, what);
        page.SkipLines(nameLineInSecondTable - 1, what);
        // A page that does not name the point belongs to no point and is passed over.
        if (page.readLine(what).contains(points[i].PointName)) {
            readResultValues(page, points[i]);
            ++i;
            if (i == points.size())
                return; // what follows the last point's page is not needed
        } else {
            page.requireLine(table, what);
        }
        // The next-page link is in the sixth table.
        page.requireLine(table, what);
        page.readLine(what);
        page.requireLine(table, what);
        page.requireLine(u"</table>", what);
        page.requireLine(table, what);
        path = page.NextPageLink();
        refuseLinkBack(page, path, visited);
    }
}

void ResultsReportReader::readResultValues(ReportPage& page, ResultPoint& point)
{
    const QString what = QStringLiteral("%1の成果表").arg(pointLabel(point));
    // The third table: the values stand on fixed lines after the line that opens it.
    page.requireLine(table, what);
    QStringList lines;
    for (int n = 1; n <= 16; ++n)
        lines.append(page.readLine(what));
    const auto line = [&lines](int n) -> const QString& { return lines[n - 1]; };

    const auto angle = [&](int n, const QString& name) {
        const std::optional<QString> cell = lastCellText(line(n));
        const std::optional<QString> packed = cell ? ToPackedDms(*cell) : std::nullopt;
        if (!packed)
            throw page.fault(QStringLiteral("%1の%2「%3」が度分秒の形ではありません。")
                                 .arg(pointLabel(point), name, cell.value_or(line(n))));
        return *packed;
    };
    const auto metres = [&](int n, const QString& name) {
        const std::optional<QString> value = metreValue(line(n), line(n).indexOf(u'm'));
        if (!value)
            throw page.fault(QStringLiteral("%1の%2に単位「m」がありません。")
                                 .arg(pointLabel(point), name));
        return *value;
    };
    point.Latitude = angle(2, QStringLiteral("緯度"));
    point.X = metres(4, QStringLiteral("X座標"));
    point.Longitude = angle(7, QStringLiteral("経度"));
    point.Y = metres(9, QStringLiteral("Y座標"));
    point.ResultValue = metres(16, QStringLiteral("成果表の値"));
}

ReportReading readResultsReport(const QString& frameSetPage)
{
    FilePageSource files;
    return ResultsReportReader(files).read(frameSetPage);
}
