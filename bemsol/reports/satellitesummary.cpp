#include "satellitesummary.h"

QString SatelliteNumber(QStringView satname)
{
    if (satname.size() <= 3)
        return {};
    return satname.mid(3).toString();
}

QString TwoDigitNumber(QStringView text)
{
    bool whole = false;
    const qlonglong value = text.trimmed().toLongLong(&whole);
    if (!whole)
        return text.toString();
    const QString digits = QString::number(qAbs(value)).rightJustified(2, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QString RightAligned7(QStringView text)
{
    return text.toString().rightJustified(7, u' ');
}

const SatelliteRecord& SatelliteAt(const ProjectModel& model, int index)
{
    if (index < 1 || index >= model.satellites.size())
        return model.satellites.front();
    return model.satellites[index];
}

SatelliteSummaryTexts SatelliteSummary(const ProjectModel& model, const OccupationRecord& occupation)
{
    SatelliteSummaryTexts texts;
    for (int group = 0; group < summaryGroups; ++group) {
        for (int k = 0; k < satellitesPerSummaryGroup; ++k) {
            const int j = group * satellitesPerSummaryGroup + k;
            if (j >= occupation.satCount)
                break;
            const SatelliteRecord& sat = SatelliteAt(model, occupation.firstSat + j);
            texts.no[group] += QStringLiteral("     ") + TwoDigitNumber(SatelliteNumber(sat.satname));
            texts.ok[group] += RightAligned7(sat.health);
        }
    }
    return texts;
}
