#pragma once

#include "model/outcome.h"

#include <QString>

// 1級 to 4級 of the public control survey.
enum class SurveyClass { First = 1, Second = 2, Third = 3, Fourth = 4 };

enum class ObservationMethod { Static, ShortStatic };

// What the checks judge against. The defaults are the tolerances and observation limits
// of the public-survey rules; an organisation may set stricter ones.
struct CheckSettings
{
    SurveyClass surveyClass = SurveyClass::First;
    ObservationMethod method = ObservationMethod::Static;

    // Loop closures: |ΔN|, |ΔE| ≤ loopLimitNE·√N and |ΔU| ≤ loopLimitU·√N, metres.
    double loopLimitNE = 0.020;
    double loopLimitU = 0.030;
    int maxLoopSides = 10;
    // Repeated baselines: |ΔN|, |ΔE| ≤ repeatLimitNE and |ΔU| ≤ repeatLimitU, metres.
    double repeatLimitNE = 0.020;
    double repeatLimitU = 0.030;

    // Static observation. 1級 baselines of longBaseline metres or more need the long
    // observation; every other baseline the ordinary one.
    double longBaseline = 10000;
    double staticLongMinutes = 120;
    int staticLongSatellites = 5;
    double staticMinutes = 60;
    int staticSatellites = 4;
    double staticMaxInterval = 30; // seconds

    // Short static observation (3級 and 4級 only).
    double shortStaticMinutes = 20;
    int shortStaticSatellites = 5;
    double shortStaticMaxInterval = 15;

    bool operator==(const CheckSettings&) const = default;
};

// Success, or why the checks cannot run with these settings (short static for 1級 or 2級,
// a limit that is not a positive number).
Outcome ValidateCheckSettings(const CheckSettings& settings);

// "1級" ... "4級"; "スタティック", "短縮スタティック".
QString SurveyClassText(SurveyClass surveyClass);
QString ObservationMethodText(ObservationMethod method);
