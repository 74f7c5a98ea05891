#pragma once

#include "outcome.h"
#include "pagesource.h"
#include "resultpoint.h"

#include <QList>

class ReportPage;

struct ReportReading
{
    QList<ResultPoint> points;
    dravel::Outcome outcome; // on failure `points` is empty
};

// Reads the control points of an adjustment program's HTML results report: the frame set
// names the index, the index links the coordinate list and the first results table page,
// the list pages give number, name and list value of every point, and one results table
// page per point (with pages between them that belong to no point) gives the rest. Pages
// are chained by next-page links and read forward only, one at a time.
class ResultsReportReader
{
public:
    explicit ResultsReportReader(PageSource& pages) : pages_(pages) {}

    ReportReading read(const QString& frameSetPage);

private:
    QString findIndexPage(const QString& frameSetPage);
    void findFirstPages(const QString& indexPage);
    void readCoordinateList(QList<ResultPoint>& points);
    bool readPointRow(ReportPage& page, QList<ResultPoint>& points);
    void readResultsTables(QList<ResultPoint>& points);
    void readResultValues(ReportPage& page, ResultPoint& point);

    PageSource& pages_;
    QString coordinateListPage_;
    QString resultsTablePage_;
};

// Reads the report from the files on disk.
ReportReading readResultsReport(const QString& frameSetPage);
