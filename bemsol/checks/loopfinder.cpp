#include "loopfinder.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int unreached = std::numeric_limits<int>::max() / 2;

struct Arc
{
    int to;
    int edge;
    int session;
    bool backwards;
};

// The search for one edge's loop. The arrays live as long as the whole run and are marked
// with a generation number, so starting a search costs nothing however large the network.
class LoopSearch
{
public:
    LoopSearch(const QList<LoopEdge>& edges, int pointCount, int maxSides);

    // The loop through `edge`, or an empty list.
    QList<LoopStep> loopThrough(int edge);

private:
    // A state of the way back to the edge's start point: a point, and whether the way
    // from it must still bring in a session other than the edge's own.
    int stateIndex(int point, bool needsOther) const { return point * 2 + (needsOther ? 1 : 0); }
    int distance(int point, bool needsOther) const;
    void reach(int point, bool needsOther);
    void startDistances();
    void growDistances(int depth);
    int lowerBound() const;
    void walk(int point, int used, bool needsOther);
    void offer();

    const QList<LoopEdge>& edges_;
    const int maxSides_;
    std::vector<int> firstArc_; // arcs of point p: firstArc_[p] .. firstArc_[p + 1]
    std::vector<Arc> arcs_;

    // The edge being searched: from `home_` (its start) to `away_` (its end).
    int edge_ = 0;
    int home_ = 0;
    int away_ = 0;
    int session_ = 0;

    std::vector<unsigned> stamp_;
    std::vector<int> distance_;
    unsigned generation_ = 0;
    std::vector<int> frontier_;
    std::vector<int> next_;
    int depth_ = 0;

    std::vector<char> onPath_;
    int length_ = 0; // edges of the way back being listed
    std::vector<const Arc*> path_;
    std::vector<int> bestKey_;
    std::vector<const Arc*> bestPath_;
    std::vector<int> key_;
};

LoopSearch::LoopSearch(const QList<LoopEdge>& edges, int pointCount, int maxSides)
    : edges_(edges), maxSides_(maxSides)
{
    firstArc_.assign(size_t(pointCount) + 1, 0);
    for (const LoopEdge& e : edges) {
        ++firstArc_[size_t(e.start) + 1];
        ++firstArc_[size_t(e.end) + 1];
    }
    for (size_t p = 1; p < firstArc_.size(); ++p)
        firstArc_[p] += firstArc_[p - 1];
    arcs_.resize(size_t(firstArc_.back()));
    std::vector<int> fill(firstArc_.begin(), firstArc_.end() - 1);
    for (int i = 0; i < int(edges.size()); ++i) {
        const LoopEdge& e = edges[i];
        arcs_[size_t(fill[size_t(e.start)]++)] = {e.end, i, e.session, false};
        arcs_[size_t(fill[size_t(e.end)]++)] = {e.start, i, e.session, true};
    }
    stamp_.assign(size_t(pointCount) * 2, 0);
    distance_.assign(size_t(pointCount) * 2, unreached);
    onPath_.assign(size_t(pointCount), 0);
}

int LoopSearch::distance(int point, bool needsOther) const
{
    const int i = stateIndex(point, needsOther);
    return stamp_[size_t(i)] == generation_ ? distance_[size_t(i)] : unreached;
}

void LoopSearch::reach(int point, bool needsOther)
{
    const int i = stateIndex(point, needsOther);
    if (stamp_[size_t(i)] == generation_)
        return;
    stamp_[size_t(i)] = generation_;
    distance_[size_t(i)] = depth_ + 1;
    next_.push_back(i);
}

void LoopSearch::startDistances()
{
    ++generation_;
    frontier_.clear();
    depth_ = 0;
    const int i = stateIndex(home_, false);
    stamp_[size_t(i)] = generation_;
    distance_[size_t(i)] = 0;
    frontier_.push_back(i);
}

// Breadth-first from the home point over the states, walking the sides backwards: a
// state (x, needs other) reaches home in `distance` sides at the fewest. The way back
// never passes through the home or the away point.
void LoopSearch::growDistances(int depth)
{
    while (depth_ < depth && !frontier_.empty()) {
        next_.clear();
        for (const int state : frontier_) {
            const int y = state / 2;
            const bool yNeedsOther = state % 2 == 1;
            for (int a = firstArc_[size_t(y)]; a < firstArc_[size_t(y) + 1]; ++a) {
                const Arc& arc = arcs_[size_t(a)];
                if (arc.to == home_ || arc.to == away_)
                    continue;
                const bool other = arc.session != session_;
                if (!yNeedsOther) {
                    reach(arc.to, false);
                    if (other)
                        reach(arc.to, true);
                } else if (!other) {
                    reach(arc.to, true);
                }
            }
        }
        frontier_.swap(next_);
        ++depth_;
    }
    if (frontier_.empty())
        depth_ = std::max(depth_, depth);
}

// The fewest sides any way back from the away point could have, simple or not.
int LoopSearch::lowerBound() const
{
    int best = unreached;
    for (int a = firstArc_[size_t(away_)]; a < firstArc_[size_t(away_) + 1]; ++a) {
        const Arc& arc = arcs_[size_t(a)];
        if (arc.to == home_)
            continue; // two sides between the same points make no loop
        best = std::min(best, 1 + distance(arc.to, arc.session == session_));
    }
    return best;
}

void LoopSearch::offer()
{
    key_.clear();
    key_.push_back(edge_);
    for (const Arc* arc : path_)
        key_.push_back(arc->edge);
    std::sort(key_.begin(), key_.end());
    if (bestPath_.empty() || key_ < bestKey_) {
        bestKey_ = key_;
        bestPath_ = path_;
    }
}

// Lists every simple way back of exactly length_ sides from `point`, `used` sides
// along, keeping the best.
void LoopSearch::walk(int point, int used, bool needsOther)
{
    const int remaining = length_ - used - 1;
    for (int a = firstArc_[size_t(point)]; a < firstArc_[size_t(point) + 1]; ++a) {
        const Arc& arc = arcs_[size_t(a)];
        const bool stillNeedsOther = needsOther && arc.session == session_;
        if (arc.to == home_) {
            // Straight back from the away point would be a loop of two sides.
            if (remaining == 0 && !stillNeedsOther && point != away_) {
                path_.push_back(&arc);
                offer();
                path_.pop_back();
            }
            continue;
        }
        if (remaining <= 0 || arc.to == away_ || onPath_[size_t(arc.to)] ||
            distance(arc.to, stillNeedsOther) > remaining)
            continue;
        onPath_[size_t(arc.to)] = 1;
        path_.push_back(&arc);
        walk(arc.to, used + 1, stillNeedsOther);
        path_.pop_back();
        onPath_[size_t(arc.to)] = 0;
    }
}

QList<LoopStep> LoopSearch::loopThrough(int edge)
{
    const LoopEdge& e = edges_[edge];
    edge_ = edge;
    home_ = e.start;
    away_ = e.end;
    session_ = e.session;
    startDistances();
    bestPath_.clear();
    bestKey_.clear();
    // The way back has at least two sides and at most maxSides - 1.
    for (length_ = 2; length_ < maxSides_; ++length_) {
        growDistances(length_ - 1);
        const int bound = lowerBound();
        if (bound >= unreached && frontier_.empty())
            break; // no way back at any length
        if (bound > length_)
            continue;
        walk(away_, 0, true);
        if (!bestPath_.empty())
            break;
    }
    QList<LoopStep> loop;
    if (bestPath_.empty())
        return loop;
    loop.reserve(qsizetype(bestPath_.size()) + 1);
    loop.append({edge, false});
    for (const Arc* arc : bestPath_)
        loop.append({arc->edge, arc->backwards});
    return loop;
}

} // namespace

QList<QList<LoopStep>> FindLoops(const QList<LoopEdge>& edges, int pointCount, int maxSides)
{
    QList<QList<LoopStep>> loops;
    if (edges.isEmpty() || maxSides < 3)
        return loops;
    LoopSearch search(edges, pointCount, maxSides);
    std::vector<char> inLoop(size_t(edges.size()), 0);
    for (int i = 0; i < int(edges.size()); ++i) {
        if (inLoop[size_t(i)])
            continue;
        QList<LoopStep> loop = search.loopThrough(i);
        if (loop.isEmpty())
            continue;
        for (const LoopStep& step : loop)
            inLoop[size_t(step.edge)] = 1;
        loops.append(std::move(loop));
    }
    return loops;
}
