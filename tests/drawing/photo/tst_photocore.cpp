// What the image windows compute without widgets: zoom steps and fit, the
// information text, click points and the sketch tools' clicks and shapes.

#include "photocore.h"

#include <QtTest>

using namespace photo;

class TestPhotoCore : public QObject
{
    Q_OBJECT

private slots:
    void zoomStepsAndTheirTexts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("secondText");
        QTest::newRow("150") << 0 << "mnuZoom150"
                             << "Zoom 150%"
                             << "Zoom 150% ...." << 150 << "150%";
        QTest::newRow("100") << 1 << "mnuZoom100"
                             << "Zoom 100%"
                             << "Zoom 100% ...." << 100 << "100%";
        QTest::newRow("75") << 2 << "mnuZoom75"
                            << "Zoom 75%"
                            << "Zoom 75% ...." << 75 << "75%";
        QTest::newRow("50") << 3 << "mnuZoom50"
                            << "Zoom 50%"
                            << "Zoom 50% ...." << 50 << "50%";
        QTest::newRow("25") << 4 << "mnuZoom25"
                            << "Zoom 25%"
                            << "Zoom 25% ...." << 25 << "25%";
    }
    void zoomStepsAndTheirTexts()
    {
        QFETCH(int, row);
        QCOMPARE(Zoom_Steps().size(), 5);
        const ZoomStep &step = Zoom_Steps().at(row);
        QTEST(step.item, "item");
        QTEST(step.caption, "caption");
        QTEST(step.firstText, "firstText");
        QTEST(int(step.zoom), "zoom");
        QTEST(step.secondText, "secondText");
    }

    void zoomFit_data()
    {
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("w");
        QTest::addColumn<float>("H");
        QTest::addColumn<float>("W");
        QTest::addColumn<double>("percent"); // -1: nothing
        QTest::addColumn<QString>("text");
        QTest::newRow("height wins") << 200.0 << 100.0 << 2500.0f << 5000.0f << 62.5 << "62.5%";
        QTest::newRow("width wins") << 100.0 << 400.0 << 6000.0f << 4000.0f << 50.0 << "50.0%";
        QTest::newRow("tie takes the height") << 100.0 << 100.0 << 3000.0f << 3000.0f << 150.0 << "150.0%";
        QTest::newRow("unrounded") << 520.0 << 660.0 << 7830.0f << 9945.0f << 100 * 0.05 * 7830 / 520.0 << "75.3%";
        QTest::newRow("zero height") << 0.0 << 100.0 << 3000.0f << 3000.0f << -1.0 << "";
        QTest::newRow("zero width") << 100.0 << 0.0 << 3000.0f << 3000.0f << -1.0 << "";
    }
    void zoomFit()
    {
        QFETCH(double, h);
        QFETCH(double, w);
        QFETCH(float, H);
        QFETCH(float, W);
        QFETCH(double, percent);
        QFETCH(QString, text);
        const auto fit = Zoom_Fit_Percent(h, w, H, W);
        if (percent < 0) {
            QVERIFY(!fit);
            return;
        }
        QVERIFY(fit);
        QCOMPARE(*fit, percent);
        QCOMPARE(Zoom_Text(*fit), text);
    }

    void informationText()
    {
        ImageFacts facts;
        facts.width = 1024;
        facts.height = 768;
        facts.bitDepth = 24;
        facts.resolutionX = 96;
        facts.resolutionY = 72;
        facts.greyStart = 0;
        facts.greyEnd = 255;
        QCOMPARE(Information_Text(facts), QStringLiteral("   Image Information\r\n\r\nSize: 1024 x 768 pixels\r\n\r\n"
                                                         "Bit Depth: 24\r\n\r\nResolution: 96 x 72 dpi\r\n\r\n"
                                                         "Grey Range: from 0 to 255"));
        QCOMPARE(Size_Text(1024, 768), QStringLiteral("1024 x 768"));
    }

    void twipsRoundHalfToEven_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixel");
        QTest::newRow("22.5 is 1.5") << 22.5 << 2;
        QTest::newRow("37.5 is 2.5") << 37.5 << 2;
        QTest::newRow("52.5 is 3.5") << 52.5 << 4;
        QTest::newRow("7.5 is 0.5") << 7.5 << 0;
        QTest::newRow("whole pixel") << 150.0 << 10;
        QTest::newRow("just above a half") << 23.0 << 2;
        QTest::newRow("just below a half") << 37.0 << 2;
    }
    void twipsRoundHalfToEven()
    {
        QFETCH(double, twips);
        QFETCH(int, pixel);
        QCOMPARE(Twips_To_Pixel(twips), pixel);
    }

    void circleBox_data()
    {
        QTest::addColumn<QPoint>("centre");
        QTest::addColumn<QPoint>("onCircle");
        QTest::addColumn<QRect>("box"); // x1, y1 as left, top; x2, y2 as right, bottom
        QTest::newRow("radius 0") << QPoint(40, 30) << QPoint(40, 30) << QRect(QPoint(40, 30), QPoint(40, 30));
        QTest::newRow("3-4-5") << QPoint(40, 30) << QPoint(43, 34) << QRect(QPoint(35, 25), QPoint(45, 35));
        QTest::newRow("second click left and above")
            << QPoint(40, 30) << QPoint(37, 26) << QRect(QPoint(35, 25), QPoint(45, 35));
        // r = sqrt(2) = 1.414..: 10 -/+ r rounds to 9 and 11.
        QTest::newRow("irrational radius") << QPoint(10, 10) << QPoint(11, 11) << QRect(QPoint(9, 9), QPoint(11, 11));
        // r = sqrt(5) = 2.236..: 0 -/+ r rounds to -2 and 2.
        QTest::newRow("sqrt 5") << QPoint(0, 0) << QPoint(1, 2) << QRect(QPoint(-2, -2), QPoint(2, 2));
    }
    void circleBox()
    {
        QFETCH(QPoint, centre);
        QFETCH(QPoint, onCircle);
        QFETCH(QRect, box);
        QCOMPARE(Circle_Box(centre, onCircle), (Box{box.left(), box.top(), box.right(), box.bottom()}));
    }

    void colours()
    {
        QCOMPARE(Rgb(220, 0, 0), 220u);
        QCOMPARE(Rgb(0, 220, 0), 56320u);
        QCOMPARE(Rgb(0, 0, 220), 14417920u);
        QCOMPARE(To_Colour(Rgb(100, 150, 200)), QColor(100, 150, 200));
    }

    void clicksBeforeAnyToolAreRecordedButDrawNothing()
    {
        SketchClicks clicks;
        QVERIFY(!clicks.pointerReport(30, 45));
        QVERIFY(clicks.FirstClickDone);
        QCOMPARE(clicks.FirstPoint, QPoint(2, 3));
        QVERIFY(!clicks.pointerReport(60, 75));
        QVERIFY(clicks.SecondClickDone);
        QCOMPARE(clicks.SecondPoint, QPoint(4, 5));
        QVERIFY(!clicks.pointerReport(90, 90)); // no point is recorded now
        QCOMPARE(clicks.FirstPoint, QPoint(2, 3));
        QCOMPARE(clicks.SecondPoint, QPoint(4, 5));
    }

    void twoClickToolsTakeFreshClicks()
    {
        SketchClicks clicks;
        clicks.pointerReport(15, 15); // an early click is not the tool's
        clicks.choose(SketchTool::Line);
        QVERIFY(!clicks.FirstClickDone);
        QVERIFY(!clicks.pointerReport(150, 300));
        QCOMPARE(clicks.waiting(), SketchTool::Line);
        const auto done = clicks.pointerReport(450, 600);
        QVERIFY(done);
        QCOMPARE(done->tool, SketchTool::Line);
        QCOMPARE(done->first, QPoint(10, 20));
        QCOMPARE(done->second, QPoint(30, 40));
        QCOMPARE(clicks.waiting(), SketchTool::None);
    }

    void textTakesOneClick()
    {
        SketchClicks clicks;
        clicks.choose(SketchTool::Text);
        const auto done = clicks.pointerReport(75, 90);
        QVERIFY(done);
        QCOMPARE(done->tool, SketchTool::Text);
        QCOMPARE(done->first, QPoint(5, 6));
    }

    void aNewToolReplacesTheWaitingOne()
    {
        SketchClicks clicks;
        clicks.choose(SketchTool::Rectangle);
        QVERIFY(!clicks.pointerReport(15, 15));
        clicks.choose(SketchTool::Circle);
        QVERIFY(!clicks.pointerReport(150, 150));
        const auto done = clicks.pointerReport(300, 150);
        QVERIFY(done);
        QCOMPARE(done->tool, SketchTool::Circle);
        QCOMPARE(done->first, QPoint(10, 10));
        QCOMPARE(done->second, QPoint(20, 10));
        // Nothing is left waiting for the rectangle.
        QVERIFY(!clicks.pointerReport(15, 15));
        QVERIFY(!clicks.pointerReport(15, 15));

        clicks.choose(SketchTool::Ellipse);
        clicks.cancel();
        QVERIFY(!clicks.pointerReport(15, 15));
        QVERIFY(!clicks.pointerReport(30, 30));
    }
};

QTEST_GUILESS_MAIN(TestPhotoCore)
#include "tst_photocore.moc"
