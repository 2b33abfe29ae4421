#include "footviewpickup.h"

#include "footviewinterface.h"
#include "picture.h"

namespace {

class FootViewPickup : public PickupView
{
public:
    explicit FootViewPickup(FootView &view)
        : m_view(view)
    {}

    void Load_Model_File(const QString &path) override { m_view.Load_Model_File(path); }
    void Set_Caption(const QString &path) override { m_view.Set_Caption(path); }
    void Smooth() override { m_view.Smooth(); }
    void Show_Normal() override { m_view.Show_Normal(); }
    void Write_Initial_Snapshot() override { m_view.Write_Initial_Snapshot(); }
    void Save_Model(const QString &path) override { m_view.Save_Model(path); }
    void ViewBottom() override { m_view.ViewBottom(); }
    void Save_Capture(const QString &jpegPath) override { Save_JPEG(m_view.Capture(), jpegPath, 90); }

private:
    FootView &m_view;
};

} // namespace

FootViewPickups::FootViewPickups() = default;
FootViewPickups::~FootViewPickups() = default;

PickupView &FootViewPickups::Foot_View(ScanSide side)
{
    // Asked afresh each time: the window may have been closed (and so
    // deleted) since the last pick-up.
    FootView &view = ::Foot_View(side == ScanSide::Left ? FootSide::Left : FootSide::Right);
    std::unique_ptr<PickupView> &adapter = m_views[side == ScanSide::Left ? 0 : 1];
    adapter = std::make_unique<FootViewPickup>(view);
    return *adapter;
}
