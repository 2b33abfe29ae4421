#pragma once

#include "drawingsetup.h"
#include "drawingview.h"
#include "insolepanes.h"
#include "viewfixtures.h"

#include <QImage>

#include <memory>

// An insole pane for the tool windows' tests: a real drawing view showing
// the square [0, 100] x [0, 100], with the four layers and a photo raster,
// recording its message line and its burns. Deleting it is closing its
// window.
class FakeInsolePane : public InsolePaneTarget
{
public:
    explicit FakeInsolePane(DrawingHostKind kind)
        : InsolePaneTarget(kind),
          m_view(std::make_unique<cad::DrawingView>())
    {
        viewfixtures::showUnitSquare(*m_view);
        QObject::connect(m_view.get(), &cad::DrawingView::picked,
                         [this](QPointF p) { On_Drawing_Pick(*this, p.x(), p.y()); });
        cad::Drawing &d = drawing();
        for (int i = 0; i < 4; ++i)
            d.addLayer(QString::fromLatin1(kDrawingLayerNames[i]), Drawing_Layer_Colour(kind, i));
        d.setCurrentLayer(QStringLiteral("Image"));
        QImage photo(40, 80, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        rasterEntity = d.addRasterImage(photo, QStringLiteral("photo.jpg"), QPointF(0, 0), 1.0);
        d.setCurrentLayer(QStringLiteral("Client"));
    }

    cad::DrawingView &view() override { return *m_view; }
    cad::Drawing &drawing() override { return m_view->drawing(); }
    void runCommand(int number) override { m_view->runCommand(number); }
    void showMessage(const QString &text) override { message = text; }
    void showX(const QString &) override {}
    void showY(const QString &) override {}
    void showSize(const QString &) override {}
    void redraw() override { m_view->redraw(); }
    void burnFromPalette() override { ++burns; }

    QString message;
    int burns = 0;

private:
    std::unique_ptr<cad::DrawingView> m_view;
};

// The soft and rigid panes, installed as the finder; either may be closed
// (reset) by a test.
struct FakePanes
{
    std::unique_ptr<FakeInsolePane> soft = std::make_unique<FakeInsolePane>(DrawingHostKind::Soft);
    std::unique_ptr<FakeInsolePane> rigid = std::make_unique<FakeInsolePane>(DrawingHostKind::Rigid);

    FakePanes()
    {
        Set_Insole_Pane_Finder([this](bool isSoft) -> InsolePaneTarget * { return isSoft ? soft.get() : rigid.get(); });
    }
    ~FakePanes() { Set_Insole_Pane_Finder({}); }
    FakePanes(const FakePanes &) = delete;
    FakePanes &operator=(const FakePanes &) = delete;
};
