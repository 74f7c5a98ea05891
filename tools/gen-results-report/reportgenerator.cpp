#include "reportgenerator.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

namespace {

const QString meta =
    QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">");
const QString indexName = QStringLiteral("contents.htm");

QStringList pageHead(const QString& title)
{
    return {QStringLiteral("<html>"), QStringLiteral("<head>"), meta,
            QStringLiteral("<title>%1</title>").arg(title), QStringLiteral("</head>"),
            QStringLiteral("<body>")};
}

const QStringList pageFoot = {QStringLiteral("</body>"), QStringLiteral("</html>")};

// The navigation table closing every list and results page; its third line holds the link.
QStringList nextPageTable(const QString& next)
{
    return {QStringLiteral("<table width=\"100%\">"), QStringLiteral("<tr>"),
            QStringLiteral("<td align=\"center\">"),
            QStringLiteral("<a href=\"%1\">次のページ</a></td>").arg(next), QStringLiteral("</tr>"),
            QStringLiteral("</table>")};
}

QString listPageName(int n)
{
    return QStringLiteral("list%1.htm").arg(n, 3, 10, QChar(u'0'));
}

QString resultsPageName(int n)
{
    return QStringLiteral("result%1.htm").arg(n, 4, 10, QChar(u'0'));
}

// 39 lines: the number and name first, the list value with its full-width metre sign on
// the 26th line, the closing tag last.
QStringList listRow(const ReportPoint& p)
{
    QStringList row;
    row << QStringLiteral("<tr><td>%1 (%2)</td>").arg(p.number, p.name)
        << QStringLiteral("<td>%1</td>").arg(p.latitude)
        << QStringLiteral("<td>%1</td>").arg(p.longitude)
        << QStringLiteral("<td align=\"right\">%1</td>").arg(p.x)
        << QStringLiteral("<td align=\"right\">%1</td>").arg(p.y);
    while (row.size() < 25)
        row << QStringLiteral("<td align=\"right\">0.%1</td>").arg(row.size(), 3, 10, QChar(u'0'));
    row << QStringLiteral("<td align=\"right\">%1ｍ</td>").arg(p.listValue);
    while (row.size() < 38)
        row << QStringLiteral("<td align=\"center\">-</td>");
    row << QStringLiteral("</tr>");
    return row;
}

QStringList listPage(const QList<ReportPoint>& rows, int page, int pages, const QString& next)
{
    QStringList lines = pageHead(QStringLiteral("座標の計算結果"));
    lines << QStringLiteral("<table border=\"0\" width=\"100%\">")
          << QStringLiteral("<tr><td>座標の計算結果 (%1/%2)</td></tr>").arg(page).arg(pages)
          << QStringLiteral("</table>") << QStringLiteral("<table border=\"1\">")
          << QStringLiteral("<tr>") << QStringLiteral("<th rowspan=\"2\">点番号 (点名)</th>")
          << QStringLiteral("<th colspan=\"37\">座標値</th>") << QStringLiteral("</tr>")
          << QStringLiteral("<tr>") << QStringLiteral("<th>緯度</th><th>経度</th>")
          << QStringLiteral("</tr>");
    for (const ReportPoint& p : rows)
        lines << listRow(p);
    lines << QStringLiteral("</table>") << nextPageTable(next) << pageFoot;
    return lines;
}

// A results page: the point's name on the 17th line after the second table opens, its
// values on fixed lines of the third table, the link in the sixth. `point` null gives a
// page that belongs to no point.
QStringList resultsPage(const ReportPoint* point, const QString& next)
{
    QStringList lines = pageHead(QStringLiteral("成果表"));
    lines << QStringLiteral("<table border=\"0\" width=\"100%\">")
          << QStringLiteral("<tr><td>%1</td></tr>")
                 .arg(point ? QStringLiteral("基準点成果表") : QStringLiteral("精度管理表"))
          << QStringLiteral("</table>") << QStringLiteral("<table border=\"1\">");
    for (int n = 1; n <= 16; ++n)
        lines << QStringLiteral("<tr><td>項目%1</td><td>-</td></tr>").arg(n);
    lines << (point ? QStringLiteral("<tr><td>点名</td><td>%1</td></tr>").arg(point->name)
                    : QStringLiteral("<tr><td>網平均計算の精度</td><td>-</td></tr>"))
          << QStringLiteral("</table>");

    const ReportPoint none;
    const ReportPoint& p = point ? *point : none;
    lines << QStringLiteral("<table border=\"1\">") << QStringLiteral("<tr><td>緯度</td>")
          << QStringLiteral("<td>%1</td>").arg(p.latitude) << QStringLiteral("<td>X座標</td>")
          << QStringLiteral("<td align=\"right\">%1 m</td>").arg(p.x) << QStringLiteral("</tr>")
          << QStringLiteral("<tr><td>経度</td>") << QStringLiteral("<td>%1</td>").arg(p.longitude)
          << QStringLiteral("<td>Y座標</td>")
          << QStringLiteral("<td align=\"right\">%1 m</td>").arg(p.y) << QStringLiteral("</tr>")
          << QStringLiteral("<tr><td>縮尺係数</td>")
          << QStringLiteral("<td align=\"right\">0.999930</td>")
          << QStringLiteral("<td>子午線収差角</td>")
          << QStringLiteral("<td align=\"right\">0°12′34″</td>") << QStringLiteral("<td>標高</td>")
          << QStringLiteral("<td align=\"right\">%1 m</td>").arg(p.resultValue)
          << QStringLiteral("</tr>") << QStringLiteral("</table>");

    lines << QStringLiteral("<table border=\"1\">") << QStringLiteral("<tr><td>備考</td></tr>")
          << QStringLiteral("</table>") << QStringLiteral("<table border=\"0\">")
          << QStringLiteral("<tr><td>網平均計算</td></tr>") << QStringLiteral("</table>")
          << nextPageTable(next) << pageFoot;
    return lines;
}

// Metres from millimetres, with the sign the report prints.
QString metres(qint64 mm)
{
    const qint64 magnitude = mm < 0 ? -mm : mm;
    return QStringLiteral("%1%2.%3")
        .arg(mm < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 1000)
        .arg(magnitude % 1000, 3, 10, QChar(u'0'));
}

// An angle from hundred-thousandths of a second.
QString angle(qint64 units)
{
    return QStringLiteral("%1°%2′%3.%4″")
        .arg(units / 360000000)
        .arg(units / 6000000 % 60, 2, 10, QChar(u'0'))
        .arg(units / 100000 % 60, 2, 10, QChar(u'0'))
        .arg(units % 100000, 5, 10, QChar(u'0'));
}

} // namespace

QList<GeneratedPage> generateResultsReport(const QList<ReportPoint>& points, int rowsPerListPage)
{
    rowsPerListPage = std::max(rowsPerListPage, 1);
    QList<GeneratedPage> pages;

    // Results pages in order, with the pages that belong to no point among them.
    QList<const ReportPoint*> resultsOrder;
    for (const ReportPoint& p : points) {
        if (p.pageBefore)
            resultsOrder << nullptr;
        resultsOrder << &p;
    }
    const QString firstResults = resultsOrder.isEmpty() ? indexName : resultsPageName(1);

    const int listPages = std::max<int>(1, (points.size() + rowsPerListPage - 1) / rowsPerListPage);
    pages << GeneratedPage{
        reportFrameSetName,
        {QStringLiteral("<html>"), QStringLiteral("<head>"), meta,
         QStringLiteral("<title>網平均計算結果</title>"), QStringLiteral("</head>"),
         QStringLiteral("<frameset cols=\"220,*\">"),
         QStringLiteral("<frame src=\"%1\" name=\"contents\">").arg(indexName),
         QStringLiteral("<frame src=\"%1\" name=\"main\">").arg(listPageName(1)),
         QStringLiteral("</frameset>"), QStringLiteral("</html>")}};

    QStringList index = pageHead(QStringLiteral("目次"));
    index << QStringLiteral("<p>目次</p>") << QStringLiteral("<ul>")
          << QStringLiteral("<li><a href=\"%1\" target=\"main\">座標の計算結果</a></li>")
                 .arg(listPageName(1))
          << QStringLiteral("<li><a href=\"%1\" target=\"main\">成果表</a></li>").arg(firstResults)
          << QStringLiteral("</ul>") << pageFoot;
    pages << GeneratedPage{indexName, index};

    for (int n = 1; n <= listPages; ++n) {
        const QString next = n < listPages ? listPageName(n + 1) : firstResults;
        pages << GeneratedPage{listPageName(n),
                            listPage(points.mid((n - 1) * rowsPerListPage, rowsPerListPage), n,
                                     listPages, next)};
    }
    for (int n = 1; n <= resultsOrder.size(); ++n) {
        const QString next = n < resultsOrder.size() ? resultsPageName(n + 1) : indexName;
        pages << GeneratedPage{resultsPageName(n), resultsPage(resultsOrder[n - 1], next)};
    }
    return pages;
}

QList<ReportPoint> syntheticPoints(int count, int pageEvery)
{
    static const QStringList names = {QStringLiteral("本郷"), QStringLiteral("大手町"),
                                      QStringLiteral("代々木"), QStringLiteral("ｱｻﾋ"),
                                      QStringLiteral("T")};
    QList<ReportPoint> points;
    for (qint64 k = 1; k <= count; ++k) {
        ReportPoint p;
        p.number = QString::number(k);
        p.name = names[k % names.size()] + QString::number(k);
        p.latitude = angle((35 * 3600 + 10 * 60) * qint64(100000) + k * 1234567);
        p.longitude = angle((139 * 3600 + 30 * 60) * qint64(100000) + k * 2345671);
        p.x = metres(-40000000 + k * 12345);
        p.y = metres(25000000 - k * 23456);
        p.resultValue = metres(1000 + k * 7919 % 900000);
        const qint64 list = k * 123457 % 10000000;
        p.listValue = QStringLiteral("%1.%2").arg(list / 10000).arg(list % 10000, 4, 10, QChar(u'0'));
        p.pageBefore = pageEvery > 0 && k % pageEvery == 0;
        points << p;
    }
    return points;
}

QString writeReport(const QString& dir, const QList<GeneratedPage>& pages)
{
    if (!QDir().mkpath(dir))
        return QStringLiteral("cannot create %1").arg(dir);
    for (const GeneratedPage& page : pages) {
        QStringEncoder encoder("windows-31j");
        const QByteArray bytes = encoder.encode(page.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        if (encoder.hasError())
            return QStringLiteral("%1: text that code page 932 cannot hold").arg(page.fileName);
        // Plain writes: a report of thousands of pages is test data, and syncing every page
        // to disk would make it crawl.
        QFile file(QDir(dir).filePath(page.fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size() || !file.flush())
            return QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
    }
    return {};
}
