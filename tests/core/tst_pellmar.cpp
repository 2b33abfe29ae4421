#include "pellmarmeasurements.h"

#include <QtTest>

class TestPellmarMeasurements : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Set_Pellmar_Measurements_Source({}); }

    // Without the intake window (no source, or a source whose window is not
    // loaded) every box reads "0.0", as the window's own load leaves them.
    void closedWindowReadsCleared_data()
    {
        QTest::addColumn<bool>("installSource");
        QTest::newRow("no source") << false;
        QTest::newRow("window not loaded") << true;
    }
    void closedWindowReadsCleared()
    {
        QFETCH(bool, installSource);
        int asked = 0;
        if (installSource)
            Set_Pellmar_Measurements_Source([&]() -> std::optional<PellmarMeasurements> {
                ++asked;
                return std::nullopt;
            });
        const PellmarMeasurements m = Pellmar_Measurements();
        for (const auto *pair : {&m.ForefootVarus, &m.ForefootValgus, &m.VarusLength, &m.HeelDotLength}) {
            QCOMPARE((*pair)[0], QStringLiteral("0.0"));
            QCOMPARE((*pair)[1], QStringLiteral("0.0"));
        }
        QCOMPARE(asked, installSource ? 1 : 0);
    }

    void loadedWindowGivesItsBoxesAsTyped()
    {
        PellmarMeasurements boxes;
        boxes.ForefootVarus = {QStringLiteral("4"), QStringLiteral("3.5")};
        boxes.ForefootValgus = {QStringLiteral(""), QStringLiteral("1,5")};
        boxes.VarusLength = {QStringLiteral("180 mm"), QStringLiteral("182")};
        boxes.HeelDotLength = {QStringLiteral("40"), QStringLiteral("abc")};
        Set_Pellmar_Measurements_Source([&]() -> std::optional<PellmarMeasurements> { return boxes; });
        const PellmarMeasurements m = Pellmar_Measurements();
        QCOMPARE(m.ForefootVarus, boxes.ForefootVarus);
        QCOMPARE(m.ForefootValgus, boxes.ForefootValgus);
        QCOMPARE(m.VarusLength, boxes.VarusLength);
        QCOMPARE(m.HeelDotLength, boxes.HeelDotLength);

        // Removing the source goes back to the cleared boxes.
        Set_Pellmar_Measurements_Source({});
        QCOMPARE(Pellmar_Measurements().VarusLength[0], QStringLiteral("0.0"));
    }
};

QTEST_GUILESS_MAIN(TestPellmarMeasurements)
#include "tst_pellmar.moc"
