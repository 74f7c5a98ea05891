#pragma once

#include "outputs/zippackage.h"
#include "model/projectmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// A small project for the workbook tests. Baseline 1 starts on the equator at
// longitude 0, where north, east and up are simply ΔZ, ΔY and ΔX; baseline 2 has an
// end the import could not match (occupation 0); baseline 3 has a damaged angle text
// and an occupation number outside the table; baseline 4 a start occupation outside it.
inline ProjectModel outputFixtureProject()
{
    ProjectModel m;
    auto occupation = [&](const QString& name, const QString& code) {
        OccupationRecord o;
        o.pointName = name;
        o.ptCode = code;
        m.occupations.append(o);
    };
    occupation(QStringLiteral("P1"), QStringLiteral("筑波山"));
    occupation(QStringLiteral("0002"), QStringLiteral("ﾄﾘﾃﾞ"));
    occupation(QStringLiteral("P3"), QStringLiteral("三角点 & <b>"));
    occupation(QStringLiteral("P4"), QStringLiteral("四"));

    auto baseline = [&](int start, int end, const QString& lat, const QString& lon) {
        BaselineRecord b;
        b.session = QStringLiteral("A%1").arg(m.baselineCount() + 1);
        b.startOccupation = start;
        b.endOccupation = end;
        b.startPoint.posN = lat;
        b.startPoint.posE = lon;
        b.startPoint.posX = QStringLiteral("6378137.0000");
        b.startPoint.posY = QStringLiteral("0.0000");
        b.startPoint.posZ = QStringLiteral("0.0000");
        b.endPoint.posX = QStringLiteral("6378138.2346");
        b.endPoint.posY = QStringLiteral("-0.0625");
        b.endPoint.posZ = QStringLiteral("2.0004");
        b.endPoint.posN = QStringLiteral("0°00′00.06512″");
        b.endPoint.posE = QStringLiteral("-0°00′00.00203″");
        b.vector.dx = QStringLiteral("1.2346");
        b.vector.dy = QStringLiteral("-0.0625");
        b.vector.dz = QStringLiteral("2.0004");
        m.baselines.append(b);
    };
    const QString zero = QStringLiteral("0°00′00.00000″");
    baseline(1, 2, zero, zero);
    baseline(0, 3, zero, zero);
    baseline(2, 99, QStringLiteral("0°00′00.00000"), zero);
    baseline(-4, 4, zero, zero);
    return m;
}

// A package made of the given parts, in this order.
inline QByteArray makePackage(const QList<std::pair<QString, QByteArray>>& parts)
{
    ZipPackage package;
    for (const auto& [name, content] : parts)
        package.write(name, content);
    const Result<QByteArray> bytes = package.toBytes();
    return bytes ? *bytes : QByteArray();
}
