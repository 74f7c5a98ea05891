#pragma once

#include <QList>

#include <vector>

// An undirected side of the network between two points, observed in one session.
struct LoopEdge
{
    int start = 0;
    int end = 0;
    int session = 0;
};

// One side of a found loop: the edge and whether it is travelled from its end to its start.
struct LoopStep
{
    int edge = 0;
    bool backwards = false;

    bool operator==(const LoopStep&) const = default;
};

// Finds the loops for the closure check over `edges` (points 0..pointCount-1, the edges in
// baseline order). Every edge not yet in a chosen loop, in order, gets the shortest simple
// cycle through it (3 to maxSides sides, no point twice) whose edges carry at least two
// sessions; among equally short ones the one whose edge indices, sorted, come first. The
// loop starts with that edge travelled forwards. An edge without such a cycle gets none.
//
// Each search is bounded: a breadth-first search from the edge's start point, which grows
// only as deep as the loop length being tried, gives every point its shortest way back
// with and without a second session; the depth-first walk that lists the candidates of one
// length follows only those ways.
QList<QList<LoopStep>> FindLoops(const QList<LoopEdge>& edges, int pointCount, int maxSides);
