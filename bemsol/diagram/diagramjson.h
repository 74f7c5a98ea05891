#pragma once

#include "diagramlayout.h"

#include <QByteArray>

// The layout as the command line prints it, one line of JSON:
// {"zone":9,"points":[{"number":"K01","name":"…","x":-1234.567,"y":890.123}],
//  "baselines":[{"baseline":1,"from":"K01","to":"K02","session":"A"}]}
// Points in order of first appearance, x and y in metres to three decimals, baselines
// in baseline order. "zone" is null when there is nothing to draw and no zone was chosen.
QByteArray DiagramToJson(const DiagramLayout& layout);
