#pragma once

#include "pickupview.h"

#include <memory>

// The pick-ups' views are the "Left Foot" and "Right Foot" windows, created
// (and so loaded, not shown) when a pick-up first asks for one.
class FootViewPickups : public PickupViews
{
public:
    FootViewPickups();
    ~FootViewPickups() override;
    PickupView &Foot_View(ScanSide side) override;

private:
    std::unique_ptr<PickupView> m_views[2];
};
