#include "pellmarmeasurements.h"

#include <utility>

namespace {

PellmarMeasurementsSource &installedSource()
{
    static PellmarMeasurementsSource source;
    return source;
}

} // namespace

PellmarMeasurements PellmarMeasurements::cleared()
{
    const QString zero = QStringLiteral("0.0");
    return {{zero, zero}, {zero, zero}, {zero, zero}, {zero, zero}};
}

PellmarMeasurements Pellmar_Measurements()
{
    if (const PellmarMeasurementsSource &source = installedSource()) {
        if (std::optional<PellmarMeasurements> boxes = source())
            return *std::move(boxes);
    }
    return PellmarMeasurements::cleared();
}

void Set_Pellmar_Measurements_Source(PellmarMeasurementsSource source)
{
    installedSource() = std::move(source);
}

bool Pellmar_Measurements_Source_Installed()
{
    return bool(installedSource());
}
