#pragma once

#include "benchsupport.h"
#include "exchangegenerator.h"

#include <cstdio>
#include <cstdlib>

// The generated file a benchmark reads: the generator's options from --baselines and
// --seed. Options the generator refuses end `program` with exit code 2.
inline GeneratorOptions BenchGeneratorOptions(const BenchOptions& args, const char* program)
{
    GeneratorOptions options;
    options.baselines = args.baselines;
    options.seed = args.seed;
    if (const QString problem = checkGeneratorOptions(options); !problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", program, qPrintable(problem));
        std::exit(2);
    }
    return options;
}
