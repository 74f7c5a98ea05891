#include "sessiontable.h"

#include "model/datetimetext.h"
#include "model/projectmodel.h"

#include <QHash>

#include <optional>

namespace {

constexpr qint64 japanOffsetSeconds = 9 * 3600;

struct SessionSpan
{
    DiagramSession row;
    std::optional<qint64> start; // seconds since 1970, UTC
    std::optional<qint64> end;
    QString firstStartText;
    QString firstEndText;
};

QDateTime japanTime(qint64 utcSeconds)
{
    return QDateTime::fromSecsSinceEpoch(utcSeconds + japanOffsetSeconds, Qt::UTC);
}

void widen(std::optional<qint64>& bound, const QString& text, bool earliest)
{
    const std::optional<qint64> key = DateTimeTextKey(text);
    if (!key)
        return;
    if (!bound || (earliest ? *key < *bound : *key > *bound))
        bound = key;
}

void appendPoint(QStringList& points, const QString& number)
{
    if (!points.contains(number))
        points << number;
}

void fillTimes(SessionSpan& span)
{
    DiagramSession& row = span.row;
    if (!span.start || !span.end) {
        row.start = span.firstStartText;
        row.end = span.firstEndText;
        return;
    }
    const QDateTime start = japanTime(*span.start);
    const QDateTime end = japanTime(*span.end);
    row.date = start.toString(QStringLiteral("yyyy/MM/dd"));
    row.start = start.toString(QStringLiteral("HH:mm"));
    row.end = end.date() == start.date() ? end.toString(QStringLiteral("HH:mm"))
                                         : end.toString(QStringLiteral("MM/dd HH:mm"));
}

} // namespace

QList<DiagramSession> BuildSessionTable(const ProjectModel& model, QList<DiagramBaseline>& baselines,
                                        const QList<DiagramPoint>& points)
{
    QList<SessionSpan> spans;
    QHash<QString, int> rowOf;
    for (DiagramBaseline& drawn : baselines) {
        const BaselineRecord& b = model.baselines[drawn.baseline];
        auto found = rowOf.constFind(b.session);
        if (found == rowOf.cend()) {
            found = rowOf.insert(b.session, int(spans.size()));
            SessionSpan span;
            span.row.name = b.session;
            span.firstStartText = b.startTime;
            span.firstEndText = b.endTime;
            spans << span;
        }
        drawn.session = *found;
        SessionSpan& span = spans[*found];
        widen(span.start, b.startTime, true);
        widen(span.end, b.endTime, false);
        appendPoint(span.row.points, points[drawn.from].number);
        appendPoint(span.row.points, points[drawn.to].number);
    }
    QList<DiagramSession> rows;
    rows.reserve(spans.size());
    for (SessionSpan& span : spans) {
        fillTimes(span);
        rows << span.row;
    }
    return rows;
}
