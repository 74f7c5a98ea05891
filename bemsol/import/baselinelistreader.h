#pragma once

#include "model/outcome.h"

class ExchangeReader;

// Reads the BaselineList element at the reader's cursor up to its closing tag. A list
// of more baselines than a project holds is refused.
Outcome ReadBaselineList(ExchangeReader& reader);
