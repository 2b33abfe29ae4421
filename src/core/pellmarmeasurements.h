#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>

// The eight measurements the Pellmar rigid intake window holds, each as
// typed, index 0 the left foot and 1 the right. The rigid defaults copy them
// into the job, so the rigid form reads them without ever creating that
// window (creating it would run its load, which resets parts of the job).
struct PellmarMeasurements
{
    std::array<QString, 2> ForefootVarus; // Text4
    std::array<QString, 2> ForefootValgus; // Text5
    std::array<QString, 2> VarusLength; // Text6, heel to 1st MPJ
    std::array<QString, 2> HeelDotLength; // Text7

    // "0.0" in every box, as the window's own load leaves them.
    static PellmarMeasurements cleared();
};

// The boxes' texts while the intake window is loaded; "0.0" eight times when
// it is not, or while no source is installed.
PellmarMeasurements Pellmar_Measurements();

// The intake part installs its source when the program's parts are joined.
// The source answers nothing while its window is not loaded; an empty
// function removes it.
using PellmarMeasurementsSource = std::function<std::optional<PellmarMeasurements>()>;
void Set_Pellmar_Measurements_Source(PellmarMeasurementsSource source);
bool Pellmar_Measurements_Source_Installed();
