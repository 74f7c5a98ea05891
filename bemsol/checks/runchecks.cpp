#include "runchecks.h"

#include "checknetwork.h"
#include "loopfinder.h"
#include "observationconditions.h"
#include "vectorcheck.h"

#include <QHash>

#include <cmath>
#include <vector>

namespace {

LoopCheck checkLoop(const ProjectModel& model, const CheckNetwork& network,
                    const QList<LoopStep>& steps, const CheckSettings& settings)
{
    LoopCheck loop;
    Vector3 sum;
    for (const LoopStep& step : steps) {
        const NetworkBaseline& b = network.baselines[step.edge];
        const double sign = step.backwards ? -1.0 : 1.0;
        sum.x += sign * b.vector.x;
        sum.y += sign * b.vector.y;
        sum.z += sign * b.vector.z;
        LoopSide side;
        side.baseline = b.baseline;
        side.backwards = step.backwards;
        side.from = network.points[step.backwards ? b.end : b.start];
        side.to = network.points[step.backwards ? b.start : b.end];
        side.session = network.sessions[b.session];
        side.vector = {sign * b.vector.x, sign * b.vector.y, sign * b.vector.z};
        loop.sides.append(side);
    }
    const double root = std::sqrt(double(steps.size()));
    const BaselineRecord& reference = model.baselines[loop.sides.first().baseline];
    loop.closure = JudgeVector(sum, reference.startPoint, settings.loopLimitNE * root,
                               settings.loopLimitU * root);
    return loop;
}

QList<QList<LoopStep>> findLoops(const CheckNetwork& network, const CheckSettings& settings)
{
    QList<LoopEdge> edges;
    edges.reserve(network.baselines.size());
    for (const NetworkBaseline& b : network.baselines)
        edges.append({b.start, b.end, b.session});
    return FindLoops(edges, int(network.points.size()), settings.maxLoopSides);
}

// Usable baselines grouped by their unordered pair of points, groups in the order of
// their first baseline; only groups of two or more.
QList<QList<int>> repeatGroups(const CheckNetwork& network)
{
    QHash<quint64, int> groupOf;
    QList<QList<int>> groups;
    for (int i = 0; i < network.baselines.size(); ++i) {
        const NetworkBaseline& b = network.baselines[i];
        const quint64 low = quint64(std::min(b.start, b.end));
        const quint64 high = quint64(std::max(b.start, b.end));
        const quint64 pair = low << 32 | high;
        const auto it = groupOf.constFind(pair);
        if (it == groupOf.cend()) {
            groupOf.insert(pair, int(groups.size()));
            groups.append(QList<int>{i});
        } else {
            groups[it.value()].append(i);
        }
    }
    QList<QList<int>> repeated;
    for (QList<int>& g : groups)
        if (g.size() > 1)
            repeated.append(std::move(g));
    return repeated;
}

RepeatCheck checkRepeat(const ProjectModel& model, const CheckNetwork& network,
                        const NetworkBaseline& first, const NetworkBaseline& other,
                        const CheckSettings& settings)
{
    RepeatCheck r;
    r.first = first.baseline;
    r.other = other.baseline;
    r.reversed = other.start != first.start;
    r.startPoint = network.points[first.start];
    r.endPoint = network.points[first.end];
    r.firstSession = network.sessions[first.session];
    r.otherSession = network.sessions[other.session];
    const double sign = r.reversed ? -1.0 : 1.0;
    r.firstVector = first.vector;
    r.otherVector = {sign * other.vector.x, sign * other.vector.y, sign * other.vector.z};
    const Vector3 difference{r.otherVector.x - first.vector.x, r.otherVector.y - first.vector.y,
                             r.otherVector.z - first.vector.z};
    r.difference = JudgeVector(difference, model.baselines[first.baseline].startPoint,
                               settings.repeatLimitNE, settings.repeatLimitU);
    return r;
}

} // namespace

Result<CheckResult> RunChecks(const ProjectModel& model, const QSet<int>& off,
                              const CheckSettings& settings)
{
    if (const Outcome valid = ValidateCheckSettings(settings); !valid)
        return valid;
    const CheckNetwork network = BuildCheckNetwork(model, off);

    CheckResult result;
    result.settings = settings;
    result.baselineCount = model.baselineCount();
    result.switchedOffCount = network.switchedOff;
    result.usableCount = int(network.baselines.size());
    result.unusable = network.unusable;

    std::vector<char> checked(size_t(network.baselines.size()), 0);
    for (const QList<LoopStep>& steps : findLoops(network, settings)) {
        for (const LoopStep& step : steps)
            checked[size_t(step.edge)] = 1;
        result.loops.append(checkLoop(model, network, steps, settings));
    }

    for (const QList<int>& group : repeatGroups(network)) {
        const NetworkBaseline& first = network.baselines[group.first()];
        for (const int i : group) {
            checked[size_t(i)] = 1;
            if (i != group.first())
                result.repeats.append(checkRepeat(model, network, first, network.baselines[i], settings));
        }
    }

    ObservationConditions conditions(model, settings);
    result.conditions.reserve(network.baselines.size());
    for (int i = 0; i < network.baselines.size(); ++i) {
        const int k = network.baselines[i].baseline;
        if (!checked[size_t(i)])
            result.unchecked.append(k);
        result.conditions.append(conditions.check(k));
    }
    return result;
}
