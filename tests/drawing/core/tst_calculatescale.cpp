#include "calculatescale.h"
#include "drawingsetup.h"
#include "recordinghost.h"
#include "scriptedprompter.h"

#include <QImage>
#include <QtTest>

Q_DECLARE_METATYPE(ScaleOutcome)

namespace {

using Lines = QVector<QLineF>;

// A drawing host with the four layers, a circle, then the photo (so the
// photo is not the first entity) and the given lines on "Scale".
struct ScaleFixture
{
    RecordingHost host{DrawingHostKind::Soft};
    cad::Handle circle = 0;
    QVector<cad::Handle> lines;

    explicit ScaleFixture(const Lines &scaleLines, const QString &lineLayer = QStringLiteral("Scale"))
    {
        cad::Drawing &d = host.model;
        for (int i = 0; i < 4; ++i)
            d.addLayer(QString::fromLatin1(kDrawingLayerNames[i]), Drawing_Layer_Colour(host.kind(), i));
        d.setCurrentLayer(QStringLiteral("Client"));
        circle = d.addCircle(QPointF(50, 50), 10);
        d.setCurrentLayer(QStringLiteral("Image"));
        QImage photo(100, 200, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        host.rasterEntity = d.addRasterImage(photo, QStringLiteral("photo.jpg"), QPointF(0, 0), 2.0);
        d.setCurrentLayer(lineLayer);
        for (const QLineF &l : scaleLines)
            lines << d.addLine(l.p1(), l.p2());
        d.clearHistory();
    }

    double rasterWidth() { return host.model.entityExtents(*host.model.entity(host.rasterEntity)).width(); }
};

} // namespace

class TestCalculateScale : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init() { ui = ScriptedPrompter::install(); }
    void cleanup() { Set_Prompter(nullptr); }

    void setScale_data()
    {
        QTest::addColumn<bool>("lineDrawn"); // "Draw a Reference Line" pressed
        QTest::addColumn<Lines>("scaleLines");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<ScaleOutcome>("outcome");
        QTest::addColumn<double>("factor"); // of the photo's width
        QTest::addColumn<QString>("warning");
        const Lines line3040{QLineF(0, 0, 30, 40)};
        const QString noDistance = QStringLiteral("Please Enter the Actual Distance");
        QTest::newRow("30-40 line, 100.0") << true << line3040 << "100.0" << ScaleOutcome::Scaled << 2.0 << "";
        QTest::newRow("250 mm") << true << Lines{QLineF(10, 10, 10, 60)} << "250 mm" << ScaleOutcome::Scaled << 5.0
                                << "";
        QTest::newRow("blanks before the number") << true << line3040 << "  25" << ScaleOutcome::Scaled << 0.5 << "";
        QTest::newRow("zero length keeps the size")
            << true << Lines{QLineF(10, 10, 10, 10)} << "100" << ScaleOutcome::Scaled << 1.0 << "";
        QTest::newRow("no reference line")
            << false << line3040 << "100.0" << ScaleOutcome::NoReferenceLine << 1.0 << "Please Draw a Reference Line";
        QTest::newRow("no line on the layer") << true << Lines{} << "100.0" << ScaleOutcome::NoLine << 1.0 << "";
        QTest::newRow("0") << true << line3040 << "0" << ScaleOutcome::NoDistance << 1.0 << noDistance;
        QTest::newRow("negative") << true << line3040 << "-50" << ScaleOutcome::NoDistance << 1.0 << noDistance;
        QTest::newRow("no number") << true << line3040 << "mm 100" << ScaleOutcome::NoDistance << 1.0 << noDistance;
        QTest::newRow("empty") << true << line3040 << "" << ScaleOutcome::NoDistance << 1.0 << noDistance;
    }
    void setScale()
    {
        QFETCH(bool, lineDrawn);
        QFETCH(Lines, scaleLines);
        QFETCH(QString, distance);
        QFETCH(ScaleOutcome, outcome);
        QFETCH(double, factor);
        QFETCH(QString, warning);
        ScaleFixture fx(scaleLines);
        const double width = fx.rasterWidth();
        const int before = fx.host.model.count();

        QCOMPARE(Set_Drawing_Scale(fx.host, lineDrawn, distance), outcome);

        QCOMPARE(fx.rasterWidth(), width * factor);
        QCOMPARE(fx.host.model.entityExtents(*fx.host.model.entity(fx.circle)), QRectF(40, 40, 20, 20));
        if (warning.isEmpty()) {
            QVERIFY(ui->calls.isEmpty());
        } else {
            QCOMPARE(ui->messages(), QStringList{warning});
            QCOMPARE(ui->calls.first().title, QStringLiteral("Warning"));
            QCOMPARE(ui->calls.first().icon, Prompter::Icon::Warning);
        }
        const cad::Drawing &d = fx.host.model;
        if (outcome == ScaleOutcome::Scaled) {
            QVERIFY(!d.entity(fx.lines.first()));
            QCOMPARE(d.count(), before - 1);
            QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Client"));
            QCOMPARE(fx.host.commands, QVector<int>{102});
            QCOMPARE(fx.host.redraws, 1);
        } else {
            QCOMPARE(d.count(), before);
            QCOMPARE(d.undoCount(), 0);
            QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Scale"));
            QVERIFY(fx.host.commands.isEmpty());
        }
    }

    void onlyTheNewestLineOfTheOwnScaleLayerCounts()
    {
        ScaleFixture fx({QLineF(0, 0, 100, 0), QLineF(0, 0, 0, 50)});
        fx.host.model.setCurrentLayer(QStringLiteral("Client"));
        fx.host.model.addLine(QPointF(0, 0), QPointF(0, 1)); // not on "Scale"
        const double width = fx.rasterWidth();
        QCOMPARE(Set_Drawing_Scale(fx.host, true, QStringLiteral("100")), ScaleOutcome::Scaled);
        QCOMPARE(fx.rasterWidth(), width * 2);
        QVERIFY(fx.host.model.entity(fx.lines[0]));
        QVERIFY(!fx.host.model.entity(fx.lines[1]));
        // One undo step takes the calibration back.
        QVERIFY(fx.host.model.undo());
        QCOMPARE(fx.rasterWidth(), width);
        QVERIFY(fx.host.model.entity(fx.lines[1]));
    }

    void aLineOnAnotherLayerIsNoReference()
    {
        ScaleFixture fx({QLineF(0, 0, 30, 40)}, QStringLiteral("Client"));
        QCOMPARE(Set_Drawing_Scale(fx.host, true, QStringLiteral("100")), ScaleOutcome::NoLine);
    }

    void referenceLineAndQuit()
    {
        ScaleFixture fx({});
        Start_Reference_Line(fx.host);
        const cad::Drawing &d = fx.host.model;
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Scale"));
        Quit_Scale(fx.host);
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Client"));
        QCOMPARE(fx.host.commands, (QVector<int>{205, 911}));
    }
};

QTEST_GUILESS_MAIN(TestCalculateScale)
#include "tst_calculatescale.moc"
