#include "exchangegenerator.h"

#include "exchangewriter.h"

QByteArray generateExchangeFile(const GeneratorOptions& options)
{
    return exchangeFileBytes(planSurvey(options));
}
