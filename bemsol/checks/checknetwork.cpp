#include "checknetwork.h"

#include "outputs/decimaltext.h"

#include <QHash>

#include <optional>
#include <vector>

namespace {

bool matched(const ProjectModel& model, int occupation)
{
    return occupation >= 1 && occupation <= model.occupationCount();
}

struct ReadVector
{
    std::optional<double> x;
    std::optional<double> y;
    std::optional<double> z;
};

// Why baseline `b` cannot be checked; empty when it can.
QString unusableReason(const ProjectModel& model, const BaselineRecord& b, const ReadVector& v)
{
    if (!matched(model, b.startOccupation))
        return QStringLiteral("始点の観測が対応していません");
    if (!matched(model, b.endOccupation))
        return QStringLiteral("終点の観測が対応していません");
    const QString& start = model.startOccupationOf(b).pointName;
    const QString& end = model.endOccupationOf(b).pointName;
    if (start.isEmpty())
        return QStringLiteral("始点の点番号が空です");
    if (end.isEmpty())
        return QStringLiteral("終点の点番号が空です");
    if (!v.x || !v.y || !v.z)
        return QStringLiteral("基線ベクトルが読めません");
    if (start == end)
        return QStringLiteral("始点と終点が同じ点です");
    return {};
}

// Numbers for texts, each distinct text hashed once: set-ups are shared by several
// baselines and a session's baselines follow one another, so most look-ups are cached.
class Numbering
{
public:
    int of(const QString& text)
    {
        if (last_ >= 0 && names_[last_] == text)
            return last_;
        const auto it = ids_.constFind(text);
        if (it != ids_.cend())
            return last_ = it.value();
        last_ = int(names_.size());
        ids_.insert(text, last_);
        names_.append(text);
        return last_;
    }
    QStringList& names() { return names_; }

private:
    QHash<QString, int> ids_;
    QStringList names_;
    int last_ = -1;
};

} // namespace

CheckNetwork BuildCheckNetwork(const ProjectModel& model, const QSet<int>& off)
{
    CheckNetwork network;
    Numbering points;
    Numbering sessions;
    std::vector<int> pointOfOccupation(size_t(model.occupationCount()) + 1, -1);
    const auto pointOf = [&](int occupation) {
        int& id = pointOfOccupation[size_t(occupation)];
        if (id < 0)
            id = points.of(model.occupations[occupation].pointName);
        return id;
    };
    network.baselines.reserve(model.baselineCount());
    for (int k = 1; k <= model.baselineCount(); ++k) {
        if (off.contains(k)) {
            ++network.switchedOff;
            continue;
        }
        const BaselineRecord& b = model.baselines[k];
        const ReadVector v{ReadDecimalText(b.vector.dx), ReadDecimalText(b.vector.dy),
                           ReadDecimalText(b.vector.dz)};
        if (const QString reason = unusableReason(model, b, v); !reason.isEmpty()) {
            network.unusable.append({k, reason});
            continue;
        }
        NetworkBaseline n;
        n.baseline = k;
        n.start = pointOf(b.startOccupation);
        n.end = pointOf(b.endOccupation);
        n.session = sessions.of(b.session);
        n.vector = {*v.x, *v.y, *v.z};
        network.baselines.append(n);
    }
    network.points = std::move(points.names());
    network.sessions = std::move(sessions.names());
    return network;
}
