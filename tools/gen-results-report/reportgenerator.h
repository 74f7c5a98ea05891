#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Writes HTML results reports the way the adjustment program lays them out, line for line:
// a frame set, an index, the coordinate list over one or more pages and one results page
// per point, with pages that belong to no point between them. Used to make example and
// test reports of any size.

// One point as the report prints it.
struct ReportPoint
{
    QString number; // as printed, e.g. "7"
    QString name;
    QString latitude; // e.g. "35°39′29.12345″"
    QString longitude;
    QString x; // metres without the unit, e.g. "-12345.678"
    QString y;
    QString resultValue;
    QString listValue; // e.g. "12.3456"
    bool pageBefore = false; // a results page that belongs to no point comes first
};

struct GeneratedPage
{
    QString fileName;
    QStringList lines;
};

// The frame-set page; every page lies in one folder.
inline const QString reportFrameSetName = QStringLiteral("report.htm");

QList<GeneratedPage> generateResultsReport(const QList<ReportPoint>& points, int rowsPerListPage);

// `count` points with made-up values that differ from point to point; every
// `pageEvery`-th point (none when 0) is preceded by a page that belongs to no point.
QList<ReportPoint> syntheticPoints(int count, int pageEvery);

// Writes the pages into `dir` in code page 932 with CR LF line ends. Empty on success,
// otherwise what went wrong.
QString writeReport(const QString& dir, const QList<GeneratedPage>& pages);
