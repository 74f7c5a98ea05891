#include "baselinelistreader.h"

#include "exchangereader.h"

void ReadBaselineList(ExchangeReader& reader)
{
    reader.model().clearBaselines();
    SkipToClosingTag(reader, u"/BaselineList");
}
