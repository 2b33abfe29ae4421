#include "fixed_text.h"
#include "measure.h"

#include <QtTest>

using namespace mesh;

Q_DECLARE_METATYPE(mesh::Vec3)

class TestMeasure : public QObject
{
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void fixedTexts_data();
    void fixedTexts();
    void twipsToPixels();
    void aMeasurementFromStartToEnd();
    void aMissKeepsTheMeasurementWhereItWas();
    void startingAgainStartsOver();
};

void TestMeasure::results_data()
{
    QTest::addColumn<Vec3>("first");
    QTest::addColumn<Vec3>("second");
    // Boxes of the "Distances" window: 3D, 2D, angle, X, Y, Z; then the status.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("status");
    QTest::newRow("3-4-12") << Vec3{0, 0, 0} << Vec3{3, 4, 12}
                            << QStringList{"13.0", "5.0", "53.13", "3.0", "4.0", "12.0"} << "Distance: 13.00";
    QTest::newRow("falling slope") << Vec3{10, 10, 0} << Vec3{20, 0, 5}
                                   << QStringList{"15.0", "14.1", "-45.00", "10.0", "10.0", "5.0"} << "Distance: 15.00";
    QTest::newRow("same slope either way")
        << Vec3{20, 0, 5} << Vec3{10, 10, 0} << QStringList{"15.0", "14.1", "-45.00", "10.0", "10.0", "5.0"}
        << "Distance: 15.00";
    QTest::newRow("equal x") << Vec3{5, 1, 0} << Vec3{5, 9, 6}
                             << QStringList{"10.0", "8.0", "90.00", "0.0", "8.0", "6.0"} << "Distance: 10.00";
    QTest::newRow("equal x, other way") << Vec3{5, 9, 6} << Vec3{5, 1, 0}
                                        << QStringList{"10.0", "8.0", "90.00", "0.0", "8.0", "6.0"}
                                        << "Distance: 10.00";
    QTest::newRow("same place in plan") << Vec3{1, 1, 0} << Vec3{1, 1, 7}
                                        << QStringList{"7.0", "0.0", "", "0.0", "0.0", "7.0"} << "Distance: 7.00";
    QTest::newRow("same point") << Vec3{4, 5, 6} << Vec3{4, 5, 6} << QStringList{"0.0", "0.0", "", "0.0", "0.0", "0.0"}
                                << "Distance: 0.00";
    QTest::newRow("halves away from zero")
        << Vec3{0, 0, 0} << Vec3{2.25, 0, 0} << QStringList{"2.3", "2.3", "0.00", "2.3", "0.0", "0.0"}
        << "Distance: 2.25";
    QTest::newRow("tiny negative angle") << Vec3{0, 0, 0} << Vec3{1000, -0.0001, 0}
                                         << QStringList{"1000.0", "1000.0", "0.00", "1000.0", "0.0", "0.0"}
                                         << "Distance: 1000.00";
}

void TestMeasure::results()
{
    QFETCH(Vec3, first);
    QFETCH(Vec3, second);
    QFETCH(QStringList, texts);
    QFETCH(QString, status);
    const Measurement m = measureBetween(first, second);
    const DistancesTexts t = distancesTexts(m);
    const QStringList actual{QString::fromStdString(t.text1), QString::fromStdString(t.text2),
                             QString::fromStdString(t.text6), QString::fromStdString(t.text3),
                             QString::fromStdString(t.text4), QString::fromStdString(t.text5)};
    QCOMPARE(actual, texts);
    QCOMPARE(QString::fromStdString(distanceStatusText(m)), status);
    QVERIFY(m.distanceXY <= m.distance3D);
    if (m.angleXY)
        QVERIFY(*m.angleXY >= -90 && *m.angleXY <= 90);
}

void TestMeasure::fixedTexts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("2.25") << 2.25 << 1 << "2.3";
    QTest::newRow("1.45") << 1.45 << 1 << "1.5";
    QTest::newRow("-2.25") << -2.25 << 1 << "-2.3";
    QTest::newRow("-0.04") << -0.04 << 1 << "0.0";
    QTest::newRow("-0.0") << -0.0 << 1 << "0.0";
    QTest::newRow("99.96") << 99.96 << 1 << "100.0";
    QTest::newRow("0.005") << 0.005 << 2 << "0.01";
    QTest::newRow("53.130102") << 53.13010235415598 << 2 << "53.13";
    QTest::newRow("1e20") << 1e20 << 1 << "100000000000000000000.0";
    QTest::newRow("tiny") << 1e-20 << 2 << "0.00";
    QTest::newRow("NaN") << std::nan("") << 1 << "0.0";
    QTest::newRow("whole") << 7.0 << 0 << "7";
}

void TestMeasure::fixedTexts()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(fixedText(value, decimals)), text);
}

void TestMeasure::twipsToPixels()
{
    QCOMPARE(mesh::twipsToPixels(337.5, 15), 22LL); // 22.5: the even pixel
    QCOMPARE(mesh::twipsToPixels(352.5, 15), 24LL); // 23.5
    QCOMPARE(mesh::twipsToPixels(300, 15), 20LL);
    QCOMPARE(mesh::twipsToPixels(0, 15), 0LL);
    QCOMPARE(mesh::twipsToPixels(-337.5, 15), -22LL);
    QCOMPARE(roundHalfEven(2.5), 2LL);
    QCOMPARE(roundHalfEven(3.5), 4LL);
    QCOMPARE(roundHalfEven(-3.5), -4LL);
    QCOMPARE(roundHalfEven(2.6), 3LL);
}

void TestMeasure::aMeasurementFromStartToEnd()
{
    using Kind = MeasureSession::ClickResult::Kind;
    MeasureSession session; // one for both views
    QCOMPARE(session.stage(), MeasureSession::Stage::Idle);
    // A click with no measurement under way changes nothing and says nothing.
    MeasureSession::ClickResult r = session.click(Vec3{1, 2, 3});
    QCOMPARE(r.kind, Kind::Ignored);
    QVERIFY(r.status.empty());
    QCOMPARE(session.pickPoint1(), (Vec3{}));

    QCOMPARE(session.start(), std::string("Pick the First Point"));
    QVERIFY(session.pickFirstFlag() && !session.pickSecondFlag());
    r = session.click(Vec3{0, 0, 0}); // a real hit at the origin counts
    QCOMPARE(r.kind, Kind::FirstPicked);
    QCOMPARE(r.status, std::string("Pick the Second Point"));
    QVERIFY(!session.pickFirstFlag() && session.pickSecondFlag());
    QCOMPARE(session.results().distance3D, 0.0); // zero until the first result

    r = session.click(Vec3{3, 4, 12});
    QCOMPARE(r.kind, Kind::Measured);
    QCOMPARE(r.status, std::string("Distance: 13.00"));
    QCOMPARE(session.stage(), MeasureSession::Stage::Idle);
    QCOMPARE(session.pickPoint2(), (Vec3{3, 4, 12}));
    QCOMPARE(session.results().distance3D, 13.0);
    QCOMPARE(session.results().distanceXY, 5.0);

    // Over: the next click does nothing, and the results stay.
    QCOMPARE(session.click(Vec3{9, 9, 9}).kind, Kind::Ignored);
    QCOMPARE(session.results().distance3D, 13.0);
}

void TestMeasure::aMissKeepsTheMeasurementWhereItWas()
{
    using Kind = MeasureSession::ClickResult::Kind;
    MeasureSession session;
    session.start();
    MeasureSession::ClickResult r = session.click(std::nullopt);
    QCOMPARE(r.kind, Kind::Missed);
    QCOMPARE(r.status, std::string(MeasureSession::kMissedFirstText));
    QCOMPARE(session.stage(), MeasureSession::Stage::WaitingForFirst);

    session.click(Vec3{10, 10, 0});
    r = session.click(std::nullopt);
    QCOMPARE(r.kind, Kind::Missed);
    QCOMPARE(r.status, std::string(MeasureSession::kMissedSecondText));
    QCOMPARE(session.stage(), MeasureSession::Stage::WaitingForSecond);
    QCOMPARE(session.pickPoint1(), (Vec3{10, 10, 0}));
    QCOMPARE(session.results().distance3D, 0.0); // no result from a miss

    r = session.click(Vec3{20, 0, 5});
    QCOMPARE(r.kind, Kind::Measured);
    QVERIFY(std::abs(*session.results().angleXY + 45) < 1e-6); // the program's 57.29577951
    QCOMPARE(QString::fromStdString(distancesTexts(session.results()).text6), QString("-45.00"));
}

void TestMeasure::startingAgainStartsOver()
{
    MeasureSession session;
    session.start();
    session.click(Vec3{1, 1, 1});
    QCOMPARE(session.stage(), MeasureSession::Stage::WaitingForSecond);
    session.start(); // "3D Distance" chosen again, in either view
    QCOMPARE(session.stage(), MeasureSession::Stage::WaitingForFirst);
    session.click(Vec3{0, 0, 0});
    session.click(Vec3{0, 0, 2});
    QCOMPARE(session.results().point1, (Vec3{0, 0, 0}));
    QCOMPARE(session.results().distanceZ, 2.0);
    QVERIFY(!session.results().angleXY);
}

QTEST_GUILESS_MAIN(TestMeasure)
#include "tst_measure.moc"
