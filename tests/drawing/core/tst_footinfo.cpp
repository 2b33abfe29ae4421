#include "drawingstate.h"
#include "errors.h"
#include "footinfo.h"
#include "installdata.h"
#include "recordinghost.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "vecsamples.h"

#include <QtTest>

#include <memory>

class TestFootInfo : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::shared_ptr<ScriptedPrompter> ui;

    void installTemplates() { installdata::writeMissing(home->root()); }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        ui = ScriptedPrompter::install();
        ScriptRecord &job = Job();
        job = ScriptRecord();
        Set_Default_Sizes(job);
        job.Gender = QStringLiteral("Male");
        Drawing_State() = DrawingState();
    }

    void cleanup()
    {
        Set_Prompter(nullptr);
        home.reset();
    }

    void loadTemplateInsertsTheCrossedOutlineAtTheChartLength_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::addColumn<QString>("block");
        QTest::addColumn<double>("toeX");
        // Size 9 is 270 mm on the chart, whatever the stored lengths say.
        QTest::newRow("left takes Right_Unit") << "Left"
                                               << "Right_Unit" << -0.034 * 270;
        QTest::newRow("right takes Left_Unit") << "Right"
                                               << "Left_Unit" << 0.034 * 270;
    }

    void loadTemplateInsertsTheCrossedOutlineAtTheChartLength()
    {
        QFETCH(QString, foot);
        QFETCH(QString, block);
        QFETCH(double, toeX);
        installTemplates();
        ScriptRecord &job = Job();
        job.CurrentFoot = foot;
        job.FootSizeL = QStringLiteral("9");
        job.FootSizeR = QStringLiteral("9 (UK)");
        job.TemplateLengthL = job.TemplateLengthR = 260; // not used for the outline
        RecordingHost host(DrawingHostKind::Soft);
        cad::Drawing &d = host.model;
        const int client = d.addLayer(QStringLiteral("Client"), 1);
        d.setCurrentLayer(client);

        QVERIFY(Load_Template(host));

        QCOMPARE(d.count(), 1);
        const cad::Entity *insert = d.entity(d.first());
        QCOMPARE(insert->block, block);
        QCOMPARE(insert->anchor(), QPointF(0, 0));
        QCOMPARE(insert->scale, 270.0);
        QCOMPARE(d.layer(insert->layer)->name, QStringLiteral("Insole"));
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Insole")); // stays current
        QCOMPARE(host.log, (QStringList{"redraw", "command 102"}));
        // The outline runs from the heel at the origin to the toe at 270 mm.
        const QRectF box = d.extents();
        QVERIFY(qAbs(box.top()) < 1e-9);
        QCOMPARE(box.bottom(), 270.0);
        const cad::Entity exploded = *d.entity(d.explode(d.first()).first());
        QCOMPARE(exploded.points.size(), 110);
        QVERIFY(qAbs(exploded.points[54].x() - toeX) < 1e-9);
        QCOMPARE(exploded.points[54].y(), 270.0);
    }

    void loadTemplateTwiceInsertsTwoOutlines()
    {
        installTemplates();
        Job().CurrentFoot = QStringLiteral("Left");
        Job().FootSizeL = QStringLiteral("abc"); // no number: size 0, the chart's first row
        RecordingHost host(DrawingHostKind::Graphic);
        QVERIFY(Load_Template(host));
        QVERIFY(Load_Template(host));
        QCOMPARE(host.model.count(), 2);
        QCOMPARE(host.model.entity(host.model.first())->scale, 100.0);
        QCOMPARE(host.commands, (QVector<int>{102, 102}));
    }

    void loadTemplateWithoutASideSaysSo_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::newRow("lower case") << "left";
        QTest::newRow("empty") << "";
        QTest::newRow("both") << "BOTH";
    }

    void loadTemplateWithoutASideSaysSo()
    {
        QFETCH(QString, foot);
        installTemplates();
        Job().CurrentFoot = foot;
        RecordingHost host(DrawingHostKind::Rigid);
        QVERIFY(!Load_Template(host));
        QCOMPARE(host.message, QStringLiteral("No Template Size Data was Found"));
        QCOMPARE(host.model.count(), 0);
        QVERIFY(host.commands.isEmpty());
        QVERIFY(ui->calls.isEmpty());
    }

    void aMissingOutlineIsReportedAndInsertsNothing()
    {
        Job().CurrentFoot = QStringLiteral("Right");
        Job().FootSizeR = QStringLiteral("9");
        RecordingHost host(DrawingHostKind::Soft);
        try {
            Load_Template(host);
            QFAIL("a missing outline was inserted");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(home->path(QStringLiteral("Blocks/Left_Unit.Vec"))),
                     qPrintable(e.description()));
        }
        QCOMPARE(host.model.count(), 0);
        QVERIFY(host.commands.isEmpty());

        // Found whatever the case of the installed names.
        installTemplates();
        QVERIFY(QFile::rename(home->path(QStringLiteral("Blocks/Left_Unit.Vec")),
                              home->path(QStringLiteral("Blocks/LEFT_UNIT.VEC"))));
        QVERIFY(Load_Template(host));
        QCOMPARE(host.model.count(), 1);
    }

    void anOutlinePastTheLimitIsRefusedNamingItsFile()
    {
        // 14 inserts of 69905 entities each: one template fits, a second
        // would take the drawing past the limit.
        home->write(QStringLiteral("Blocks/Left_Unit.Vec"), vecsamples::nestedInserts(14, 4));
        Job().CurrentFoot = QStringLiteral("Right");
        Job().FootSizeR = QStringLiteral("9");
        RecordingHost host(DrawingHostKind::Soft);
        QVERIFY(Load_Template(host));
        QCOMPARE(host.model.count(), 1);
        try {
            Load_Template(host);
            QFAIL("a second outline was inserted");
        } catch (const SolvaneError &e) {
            QVERIFY2(e.description().contains(home->path(QStringLiteral("Blocks/Left_Unit.Vec"))),
                     qPrintable(e.description()));
            QVERIFY2(e.description().contains(QStringLiteral("more than 1000000 entities")),
                     qPrintable(e.description()));
        }
        QCOMPARE(host.model.count(), 1);
    }

    void footInfoShowsTheStoredLengths_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::addColumn<QString>("text");
        QTest::newRow("left") << "Left"
                              << "Template Length:   270.0 mm\r\nFoot Length:   245.0 mm\r\nFoot Size:   9";
        QTest::newRow("right") << "Right"
                               << "Template Length:   233.5 mm\r\nFoot Length:   208.5 mm\r\nFoot Size:   4.5 wide";
    }

    void footInfoShowsTheStoredLengths()
    {
        QFETCH(QString, foot);
        QFETCH(QString, text);
        ScriptRecord &job = Job();
        job.CurrentFoot = foot;
        job.TemplateLengthL = 270;
        job.FootLengthL = 245;
        job.FootSizeL = QStringLiteral("9");
        job.TemplateLengthR = 233.45;
        job.FootLengthR = 208.45;
        job.FootSizeR = QStringLiteral("4.5 wide");
        Foot_Info();
        QCOMPARE(ui->calls.size(), 1);
        const ScriptedPrompter::Call &call = ui->calls.first();
        QCOMPARE(call.text, text);
        QCOMPARE(call.title, QStringLiteral("Solvane"));
        QCOMPARE(call.icon, Prompter::Icon::None);
        QCOMPARE(call.buttons, Prompter::Buttons::Ok);
    }

    void footInfoWithoutASideShowsNothing()
    {
        Job().CurrentFoot = QStringLiteral("right");
        Foot_Info();
        QVERIFY(ui->calls.isEmpty());
    }
};

QTEST_MAIN(TestFootInfo)
#include "tst_footinfo.moc"
