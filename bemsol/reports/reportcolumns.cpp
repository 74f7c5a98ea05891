#include "reportcolumns.h"

const QStringList& CommonColumns()
{
    static const QStringList columns = {
        QStringLiteral("swProgram"), QStringLiteral("interval"), QStringLiteral("minElevation"),
        QStringLiteral("minSVs"),    QStringLiteral("ephType"),  QStringLiteral("frequency"),
        QStringLiteral("ppMode"),    QStringLiteral("daen"),     QStringLiteral("kiatu"),
        QStringLiteral("ondo"),      QStringLiteral("situdo"),
    };
    return columns;
}

const QStringList& FieldBookColumns()
{
    static const QStringList columns = {
        QStringLiteral("SpointName"),   QStringLiteral("SptCode"),
        QStringLiteral("SreceiverName"), QStringLiteral("SreceiverSN"),
        QStringLiteral("SantennaName"), QStringLiteral("SantennaSN"),
        QStringLiteral("SantennaHeight"), QStringLiteral("SstartTime"),
        QStringLiteral("SendTime"),     QStringLiteral("session"),
        QStringLiteral("BaseLineID"),   QStringLiteral("SSatStatNo1"),
        QStringLiteral("SSatStatOK1"),  QStringLiteral("SSatStatNo2"),
        QStringLiteral("SSatStatOK2"),  QStringLiteral("SSatStatNo3"),
        QStringLiteral("SSatStatOK3"),  QStringLiteral("minSVs"),
        QStringLiteral("minElevation"),
    };
    return columns;
}

const QStringList& RecordColumns()
{
    static const QStringList columns = {
        QStringLiteral("SpointName"),    QStringLiteral("SptCode"),
        QStringLiteral("SreceiverName"), QStringLiteral("SreceiverSN"),
        QStringLiteral("SantennaName"),  QStringLiteral("SantennaSN"),
        QStringLiteral("SantennaHeight"), QStringLiteral("EpointName"),
        QStringLiteral("EptCode"),       QStringLiteral("EreceiverName"),
        QStringLiteral("EreceiverSN"),   QStringLiteral("EantennaName"),
        QStringLiteral("EantennaSN"),    QStringLiteral("EantennaHeight"),
        QStringLiteral("SptType"),
        QStringLiteral("SposX"), QStringLiteral("SposY"), QStringLiteral("SposZ"),
        QStringLiteral("SposN"), QStringLiteral("SposE"), QStringLiteral("SposH"),
        QStringLiteral("EposX"), QStringLiteral("EposY"), QStringLiteral("EposZ"),
        QStringLiteral("EposN"), QStringLiteral("EposE"), QStringLiteral("EposH"),
        QStringLiteral("session"), QStringLiteral("startTime"), QStringLiteral("endTime"),
        QStringLiteral("solutionType"), QStringLiteral("ratio"),
        QStringLiteral("dx"), QStringLiteral("dy"), QStringLiteral("dz"), QStringLiteral("slope"),
        QStringLiteral("stDX"), QStringLiteral("stDY"), QStringLiteral("stDZ"),
        QStringLiteral("stSlope"),
        QStringLiteral("fwdAzimuth"), QStringLiteral("fwdInclination"),
        QStringLiteral("bkwdAzimuth"), QStringLiteral("bkwdInclination"),
        QStringLiteral("geoDist"), QStringLiteral("heightDiff"),
        QStringLiteral("CovXX"), QStringLiteral("CovYX"), QStringLiteral("CovYY"),
        QStringLiteral("CovZX"), QStringLiteral("CovZY"), QStringLiteral("CovZZ"),
        QStringLiteral("usedObs"), QStringLiteral("rejectedObs"),
        QStringLiteral("rejectRatio"), QStringLiteral("rms"), QStringLiteral("rdop"),
        QStringLiteral("BaseLineID"), QStringLiteral("frequency"), QStringLiteral("ppMode"),
        QStringLiteral("minElevation"),
    };
    return columns;
}

const QStringList& BaselineTableColumns()
{
    static const QStringList columns = [] {
        QStringList all = RecordColumns();
        for (const QString& c : FieldBookColumns())
            if (!all.contains(c))
                all.append(c);
        return all;
    }();
    return columns;
}

const QStringList& SatelliteColumns()
{
    static const QStringList columns = {
        QStringLiteral("BaseLineID"), QStringLiteral("satname"), QStringLiteral("l1"),
        QStringLiteral("l2"),         QStringLiteral("health"),
    };
    return columns;
}

bool IsRealColumn(const QString& column)
{
    return column == u"BaseLineID" || column == u"rejectRatio";
}
