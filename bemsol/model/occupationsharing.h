#pragma once

class ProjectModel;

// Gives every baseline end an occupation record of its own: the first baseline to refer
// to a record keeps it; every later end that refers to a record an earlier baseline
// already holds gets a copy appended to the occupations (satellite run included).
// Index 0, the unmatched end, is shared like any other: later ones get empty copies.
void SeparateSharedOccupations(ProjectModel& model);
