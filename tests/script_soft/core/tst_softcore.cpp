#include "optionsummary.h"
#include "scanchoice.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

// What the soft form's commands make of a chosen scan and of the order.
class TestSoftCore : public QObject
{
    Q_OBJECT

private slots:
    void scanChoice_data();
    void scanChoice();
    void optionSummary_data();
    void optionSummary();
};

void TestSoftCore::scanChoice_data()
{
    QTest::addColumn<QString>("chosen"); // under the working folder
    QTest::addColumn<QStringList>("present"); // files that exist beside it
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("graphic"); // "-" when left as it was
    QTest::addColumn<int>("stl"); // -1 left, 0 false, 1 true

    QTest::newRow("WRL with its photograph")
        << "Data/Lee_Ann_L.Wrl" << QStringList{"Data/Lee_Ann_L.Wrl", "Data/lee_ann_l[vrml].jpg"} << "Data/Lee_Ann_L.Lcf"
        << "Data/lee_ann_l[vrml].jpg" << 0;
    QTest::newRow("WRL without a photograph")
        << "Data/Lee_Ann_L.Wrl" << QStringList{"Data/Lee_Ann_L.Wrl"} << "Data/Lee_Ann_L.Lcf"
        << "Data/Lee_Ann_L0.Jpg" << 0;
    QTest::newRow("small-letter STL") << "Data/foot.stl" << QStringList{"Data/foot.stl"} << "Data/foot.Lcf"
                                      << "None" << 1;
    QTest::newRow("STL only in the folder name is a WRL")
        << "Scans.STL/foot.Wrl" << QStringList{"Scans.STL/foot.Wrl"} << "Scans.STL/foot.Lcf"
        << "Scans.STL/foot0.Jpg" << 0;
    QTest::newRow("OBJ changes the names only") << "Data/foot.Obj" << QStringList{"Data/foot.Obj"} << "Data/foot.Lcf"
                                                << "-" << -1;
}

void TestSoftCore::scanChoice()
{
    QFETCH(QString, chosen);
    QFETCH(QStringList, present);
    QFETCH(QString, model);
    QFETCH(QString, graphic);
    QFETCH(int, stl);
    TestHome home;
    for (const QString &file : present)
        home.write(file, "x");
    const ScanChoice choice = Scan_Choice_For(home.path(chosen));
    QCOMPARE(choice.scanFile, home.path(chosen));
    QCOMPARE(choice.modelFile, home.path(model));
    if (graphic == QLatin1String("-"))
        QVERIFY(!choice.graphic);
    else
        QCOMPARE(*choice.graphic, graphic == QLatin1String("None") ? graphic : home.path(graphic));
    QCOMPARE(choice.stlScan.has_value(), stl >= 0);
    if (stl >= 0)
        QCOMPARE(*choice.stlScan, stl == 1);
    QCOMPARE(choice.importIntoView, stl == 1);
}

void TestSoftCore::optionSummary_data()
{
    QTest::addColumn<QString>("optionsL");
    QTest::addColumn<QString>("optionsR");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("keptL");
    QTest::addColumn<QString>("summary");

    const QString head = "LEFT FOOT\r\nStyle: Revere\r\nEVA: 220 black\r\nTop Cover: VINYL blue;VINYL red;\r\n\r\n";
    const QString right = "RIGHT FOOT\r\nStyle: Mens (Wide)\r\nEVA: 125 white\r\nTop Cover: \r\n\r\n";
    QTest::newRow("None before a valued option is dropped")
        << "None;Heel Lift Ext (mm) = 2.0;"
        << "None;"
        << "None"
        << "Heel Lift Ext (mm) = 2.0;"
        << head + "Heel Lift Ext (mm) = 2.0\r\n\r\n\r\nNone\r\n\r\n" + right + "None\r\n";
    QTest::newRow("notes lines between the feet")
        << "Hooks;"
        << ""
        << "Sore heel;Check fit"
        << "Hooks;" << head + "Hooks\r\n\r\n\r\nSore heel\r\nCheck fit\r\n\r\n" + right;
}

void TestSoftCore::optionSummary()
{
    QFETCH(QString, optionsL);
    QFETCH(QString, optionsR);
    QFETCH(QString, notes);
    QFETCH(QString, keptL);
    QFETCH(QString, summary);
    ScriptRecord job;
    job.OrthoticStyleL = "Revere";
    job.OrthoticStyleR = "Mens (Wide)";
    job.EvaDensityL = "220 black";
    job.EvaDensityR = "125 white";
    job.TopCoverL = "VINYL blue;VINYL red;";
    job.InsoleOptionsL = optionsL;
    job.InsoleOptionsR = optionsR;
    job.Notes = notes;
    QCOMPARE(Option_Summary(job), summary);
    QCOMPARE(job.InsoleOptionsL, keptL);
    QCOMPARE(job.InsoleOptionsR, optionsR); // "None;" alone stays
}

QTEST_GUILESS_MAIN(TestSoftCore)
#include "tst_softcore.moc"
