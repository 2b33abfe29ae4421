// On a real (virtual) screen the Pellmar pick-up's sole image shows the foot.
#include "core/pickupfakes.h"
#include "core/scannerstandin.h"
#include "fakeshell.h"
#include "footviewinterface.h"
#include "footviewpickup.h"
#include "footviewport.h"
#include "pellmarpickup.h"
#include "samplefoot.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QtTest>

class TestPickupViewsGl : public QObject
{
    Q_OBJECT

private slots:
    void soleImageShowsTheFoot()
    {
        TestHome home;
        FakeShell shell;
        Set_Shell(&shell);
        const auto cleanup = qScopeGuard([] {
            Windows().reset();
            Set_Shell(nullptr);
        });
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        Register_Foot_Views();
        FakePickupWindow window;
        FootViewPickups views;
        ScannerStandin scanner(home.root(), "PellmarBrennickScannerControlPopUp.V0.99b.exe");

        const QString foot = samples::writeVrmlScan(home.path("Samples"), "Foot_R", samples::Foot::Right, 4000);
        const QString drop = home.path("External/KOVA_Datastore/DataDrop/");
        Job() = ScriptRecord();
        Job().ScannerDataFolder = drop;
        Job().ScanDestFolder = home.path("Data/Clinic1");
        PellmarPickup pickup(Job(), views, window);
        QVERIFY(pickup.Scan_Foot(ScanSide::Right, "John", "Smith",
                                 scanner.run({drop + "BrennickSingleRepeatOutput.wrl<" + foot})));
        QCOMPARE(ui->calls.size(), 0);
        FootView &view = Right_View();
        QVERIFY(view.viewport()->usesOpenGL());

        QImage sole;
        QVERIFY(sole.load(home.path("Data/Clinic1/Smith_John_R.Jpg"), "JPG"));
        QCOMPARE(sole.size(), view.picture1().size());
        // The background in the view's corner, the foot's sole in its middle.
        const QPoint origin = view.clientArea().topLeft();
        const QRect area = view.viewport()->rect();
        const QPoint centre = view.viewport()->mapTo(&view, area.center()) - origin;
        const QColor corner = sole.pixelColor(view.viewport()->mapTo(&view, area.topLeft() + QPoint(4, 4)) - origin);
        const QColor middle = sole.pixelColor(centre);
        const int difference = qAbs(corner.red() - middle.red()) + qAbs(corner.green() - middle.green())
                               + qAbs(corner.blue() - middle.blue());
        QVERIFY2(difference > 60, qPrintable(QString("corner %1, middle %2").arg(corner.name(), middle.name())));
    }
};

QTEST_MAIN(TestPickupViewsGl)
#include "tst_pickupviews_gl.moc"
