#pragma once

#include <QStringList>

// bemsol-cli diagram INPUT OUT.pdf|OUT.svg [--names FILE|--no-names] [--off LIST]
// [--zone N] [--json]: the observation diagram (観測図) of the project as PDF or SVG,
// with the baselines of LIST left out and in zone N of the plane rectangular coordinate
// system (else the zone nearest the points); --json also prints its layout.
// Returns the exit code: 0 written, 1 refused, 2 wrong usage.
int RunDiagramCommand(const QStringList& arguments);
