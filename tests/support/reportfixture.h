#pragma once

// A small project for the report tests, built in code so each test shows the case it is
// about: three sessions' worth of baselines between A001, B002 and C003, with station
// A001 observed twice in session 1 (two occupation records after de-sharing).

#include "model/projectmodel.h"

#include <QString>

namespace reportfixture {

inline OccupationRecord occupation(const QString& point, const QString& code, const QString& tag)
{
    OccupationRecord o;
    o.pointName = point;
    o.ptCode = code;
    o.receiverName = QStringLiteral("R-") + tag;
    o.receiverSN = QStringLiteral("RSN-") + tag;
    o.antennaName = QStringLiteral("ANT-") + tag;
    o.antennaSN = QStringLiteral("ASN-") + tag;
    o.antennaHeight = QStringLiteral("1.5");
    o.startTime = QStringLiteral("2004/10/12 9:00:00");
    o.endTime = QStringLiteral("2004/10/12 11:00:00");
    o.minElevation = QStringLiteral("15");
    return o;
}

inline void addSatellites(ProjectModel& m, OccupationRecord& o, const QStringList& names)
{
    o.firstSat = names.isEmpty() ? 0 : int(m.satellites.size());
    o.satCount = int(names.size());
    for (int i = 0; i < names.size(); ++i) {
        SatelliteRecord s;
        s.satname = names[i];
        s.health = QString::number(i % 2);
        s.l1 = QStringLiteral("|") + QString(89, u'-') + u'|';
        s.l2 = QStringLiteral("|") + QString(89, u' ') + u'|';
        m.satellites.append(s);
    }
}

inline BaselineRecord baseline(const QString& session, int start, int end)
{
    BaselineRecord b;
    b.session = session;
    b.startTime = QStringLiteral("2004/10/12 9:05:30");
    b.endTime = QStringLiteral("2004/10/12 10:55:00");
    b.startOccupation = start;
    b.endOccupation = end;
    b.startPoint.ptType = QStringLiteral("Input");
    b.startPoint.antHeight = QStringLiteral("1.111");
    b.endPoint.ptType = QStringLiteral("Computed");
    b.endPoint.antHeight = QStringLiteral("2.222");
    b.startPoint.posN = QStringLiteral("36°06′12.34567″");
    b.vector.solutionType = QStringLiteral("Fixed");
    b.vector.usedObs = QStringLiteral("3000");
    b.vector.rejectedObs = QStringLiteral("30");
    b.minSVs = QStringLiteral("4");
    b.minElevation = QStringLiteral("15");
    b.frequency = QStringLiteral("L1/L2");
    b.ppMode = QStringLiteral("Static");
    return b;
}

// Occupations: 1 A001 (14 satellites), 2 B002 (GPS05, G7), 3 A001 copy of 1 (shares its
// run), 4 C003 (none), 5 A001 session 2 (GPS20), 6 B002 session 2 (GPS21, GPS22).
// Baselines: 1 A001-B002 session 1, 2 A001-C003 session 1, 3 A001-B002 session 2.
inline ProjectModel surveyModel()
{
    ProjectModel m;
    m.swProgram = QStringLiteral("Trimble Total Control 2.7");
    m.common = {QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("4"),
                QStringLiteral("放送暦"), QStringLiteral("GRS80"), QStringLiteral("L1"),
                QStringLiteral("Static")};

    OccupationRecord a1 = occupation(QStringLiteral("A001"), QStringLiteral("12"), QStringLiteral("a1"));
    QStringList fourteen;
    for (int i = 1; i <= 14; ++i)
        fourteen << QStringLiteral("GPS%1").arg(i, 2, 10, QChar(u'0'));
    addSatellites(m, a1, fourteen);
    OccupationRecord b2 = occupation(QStringLiteral("B002"), QStringLiteral("ﾄﾘﾃﾞ"), QStringLiteral("b2"));
    addSatellites(m, b2, {QStringLiteral("GPS05"), QStringLiteral("G7")});
    OccupationRecord a1copy = a1;
    OccupationRecord c3 = occupation(QStringLiteral("C003"), QStringLiteral("筑波"), QStringLiteral("c3"));
    OccupationRecord a1s2 = occupation(QStringLiteral("A001"), QStringLiteral("12"), QStringLiteral("a1s2"));
    addSatellites(m, a1s2, {QStringLiteral("GPS20")});
    OccupationRecord b2s2 = occupation(QStringLiteral("B002"), QStringLiteral("ﾄﾘﾃﾞ"), QStringLiteral("b2s2"));
    addSatellites(m, b2s2, {QStringLiteral("GPS21"), QStringLiteral("GPS22")});
    m.occupations << a1 << b2 << a1copy << c3 << a1s2 << b2s2;

    m.baselines << baseline(QStringLiteral("1"), 1, 2) << baseline(QStringLiteral("1"), 3, 4)
                << baseline(QStringLiteral("2"), 5, 6);
    return m;
}

} // namespace reportfixture
