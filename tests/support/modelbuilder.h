#pragma once

// Builds small projects for tests: baselines between named points, each end with a
// set-up of its own as an import leaves them.
//
//   ProjectModel m = ModelBuilder()
//                        .baseline("K01", "K02", {.session = "A"})
//                        .baseline("K02", "K03", {.session = "B"})
//                        .build();

#include "model/projectmodel.h"

#include <QString>

class ModelBuilder
{
public:
    ModelBuilder() { model_.common = {.interval = "30", .minSVs = "4", .ephType = "放送暦",
                                      .daen = "GRS80", .frequency = "L1", .ppMode = "Static"}; }

    // A set-up at `point`; returns its index (1-based).
    int occupation(OccupationRecord o)
    {
        model_.occupations.append(std::move(o));
        return model_.occupationCount();
    }

    // A baseline from a new set-up at `from` to a new set-up at `to`. The set-ups get
    // the equipment of `setup` (its point number replaced, its name kept or else
    // 点<number>); an empty point number makes the end unmatched (index 0).
    ModelBuilder& baseline(const QString& from, const QString& to, BaselineRecord fields = {},
                           const OccupationRecord& setup = defaultSetup())
    {
        return baseline(from, to, std::move(fields), setup, setup);
    }

    // The same with a set-up of its own for each end.
    ModelBuilder& baseline(const QString& from, const QString& to, BaselineRecord fields,
                           const OccupationRecord& startSetup, const OccupationRecord& endSetup)
    {
        fields.startOccupation = endAt(from, startSetup);
        fields.endOccupation = endAt(to, endSetup);
        model_.baselines.append(std::move(fields));
        return *this;
    }

    // A baseline whose ends are the given set-up indices, as they are.
    ModelBuilder& baselineBetween(int startOccupation, int endOccupation, BaselineRecord fields = {})
    {
        fields.startOccupation = startOccupation;
        fields.endOccupation = endOccupation;
        model_.baselines.append(std::move(fields));
        return *this;
    }

    ProjectModel& model() { return model_; }
    ProjectModel build() const { return model_; }

    static OccupationRecord defaultSetup()
    {
        return {.receiverName = "RCV", .receiverSN = "R1", .antennaName = "ANT",
                .antennaSN = "A1", .antennaHeight = "1.500"};
    }

private:
    int endAt(const QString& point, OccupationRecord setup)
    {
        if (point.isEmpty())
            return 0;
        setup.pointName = point;
        if (setup.ptCode.isEmpty())
            setup.ptCode = QStringLiteral("点") + point;
        return occupation(std::move(setup));
    }

    ProjectModel model_;
};
