#include "drawingview.h"
#include "graphicform.h"
#include "scaleform.h"
#include "toolwindowfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestScaleForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture> fx;

    static ScaleForm *open(const char *name)
    {
        return qobject_cast<ScaleForm *>(ToolWindowFixture::open(QString::fromLatin1(name)));
    }
    static QLineEdit *box(ScaleForm *form, const char *name) { return form->findChild<QLineEdit *>(name); }
    static void press(ScaleForm *form, const char *name) { form->findChild<QPushButton *>(name)->click(); }
    static QString panel(ScaleForm *form) { return form->findChild<QLabel *>(QStringLiteral("Panel1"))->text(); }

    GraphicForm *openGraphicScreen()
    {
        Register_Graphic_Screen();
        return Windows().get<GraphicForm>(QStringLiteral("GraphicForm"));
    }

private slots:
    void init() { fx = std::make_unique<ToolWindowFixture>(); }
    void cleanup() { fx.reset(); }

    void paneCalibrationProposesTheFootLength_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("size");
        QTest::newRow("right") << "Right"
                               << "240.0"
                               << "8";
        QTest::newRow("left") << "Left"
                              << "245.5"
                              << "9";
        QTest::newRow("no foot") << ""
                                 << "100.0"
                                 << "0.0";
    }
    void paneCalibrationProposesTheFootLength()
    {
        QFETCH(QString, foot);
        QFETCH(QString, distance);
        QFETCH(QString, size);
        ScriptRecord &job = Job();
        job.CurrentFoot = foot;
        job.FootSizeR = QStringLiteral("8");
        job.FootLengthR = 240;
        job.FootLengthL = 245.46;
        ScaleForm *form = open("ScaleForm2");
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Calculate Scale"));
        QCOMPARE(box(form, "Text1")->text(), distance);
        QCOMPARE(box(form, "Text2")->text(), size);
        QVERIFY(box(form, "Text2")->isReadOnly());
        QCOMPARE(box(form, "Text1")->accessibleName(), QStringLiteral("3. Actual Distance (mm)"));
        QCOMPARE(fx->panes.soft->message, QStringLiteral("Ready"));
        QCOMPARE(panel(form), QString());
        QVERIFY(fx->softSizes.isEmpty());
    }

    void paneCalibrationScalesTheActivePanesPhoto()
    {
        Job().EvaScriptFlag = false;
        FakeInsolePane &pane = *fx->panes.rigid;
        const cad::Drawing &d = pane.drawing();
        const double width = d.entityExtents(*d.entity(pane.rasterEntity)).width();
        ScaleForm *form = open("ScaleForm2");
        press(form, "Command5");
        QCOMPARE(pane.message, QStringLiteral("Draw a Reference Line"));
        QCOMPARE(pane.view().activeCommand(), 205);
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Scale"));
        viewfixtures::clickAt(pane.view(), QPointF(10, 10));
        viewfixtures::clickAt(pane.view(), QPointF(40, 50));
        box(form, "Text1")->setText(QStringLiteral("100.0"));
        press(form, "Command3");
        QCOMPARE(d.entityExtents(*d.entity(pane.rasterEntity)).width(), width * 2);
        QCOMPARE(d.layer(d.currentLayer())->name, QStringLiteral("Client"));
        QVERIFY(fx->panes.soft->view().commandLog().isEmpty());
        ToolWindowFixture::settle();
        QVERIFY(!Windows().isLoaded(QStringLiteral("ScaleForm2")));
    }

    void badDistanceWarnsAndKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("distance");
        QTest::newRow("0") << "0";
        QTest::newRow("negative") << "-10";
        QTest::newRow("no number") << "abc";
    }
    void badDistanceWarnsAndKeepsTheWindow()
    {
        QFETCH(QString, distance);
        FakeInsolePane &pane = *fx->panes.soft;
        ScaleForm *form = open("ScaleForm2");
        press(form, "Command5");
        viewfixtures::clickAt(pane.view(), QPointF(10, 10));
        viewfixtures::clickAt(pane.view(), QPointF(40, 50));
        const int count = pane.drawing().count();
        box(form, "Text1")->setText(distance);
        press(form, "Command3");
        QCOMPARE(fx->prompter->messages(), QStringList{"Please Enter the Actual Distance"});
        QCOMPARE(pane.drawing().count(), count);
        ToolWindowFixture::settle();
        QVERIFY(Windows().isLoaded(QStringLiteral("ScaleForm2")));
    }

    void quitResetsTheLayerAndCloses()
    {
        FakeInsolePane &pane = *fx->panes.soft;
        ScaleForm *form = open("ScaleForm2");
        press(form, "Command5");
        press(form, "Command4");
        QCOMPARE(pane.drawing().layer(pane.drawing().currentLayer())->name, QStringLiteral("Client"));
        QCOMPARE(pane.view().commandLog(), (QVector<int>{205, 911}));
        ToolWindowFixture::settle();
        QVERIFY(!Windows().isLoaded(QStringLiteral("ScaleForm2")));
    }

    void paneWindowClosedIsNeitherCreatedNorTouched()
    {
        int created = 0;
        Windows().registerFactory(QStringLiteral("ScriptForm1"), [&created]() -> QWidget * {
            ++created;
            return nullptr;
        });
        fx->panes.soft.reset();
        QVERIFY(!open("ScaleForm2"));
        QCOMPARE(created, 0);
        QCOMPARE(fx->prompter->messages(), QStringList{"The \"EVA Orthotic Script File\" window is not open."});
        // Open, then the window goes: the buttons say so.
        Job().EvaScriptFlag = false;
        ScaleForm *form = open("ScaleForm2");
        fx->panes.rigid.reset();
        press(form, "Command5");
        press(form, "Command3");
        QCOMPARE(fx->prompter->messages().size(), 3);
        QCOMPARE(fx->prompter->messages().last(),
                 QStringLiteral("The \"Rigid Orthotic Script File\" window is not open."));
        QCOMPARE(created, 0);
    }

    void graphicScreenCalibrationEditsTheFootSize()
    {
        QVERIFY(!open("ScaleForm"));
        QCOMPARE(fx->prompter->messages(), QStringList{"The \"Graphic Screen\" window is not open."});
        QVERIFY(!Windows().isLoaded(QStringLiteral("GraphicForm")));

        GraphicForm *graphic = openGraphicScreen();
        ScaleForm *form = open("ScaleForm");
        QCOMPARE(box(form, "Text1")->text(), QStringLiteral("100.0"));
        QCOMPARE(box(form, "Text2")->text(), QStringLiteral("9"));
        QVERIFY(!box(form, "Text2")->isReadOnly());
        QCOMPARE(panel(form), QStringLiteral("Ready"));
        box(form, "Text2")->setText(QStringLiteral("10"));
        QCOMPARE(Job().FootSizeL, QStringLiteral("10"));
        QCOMPARE(graphic->statusText(4), QStringLiteral("Size: 10"));
        QCOMPARE(fx->softSizes.last(), QStringLiteral("010"));
        QCOMPARE(fx->panes.soft->message, QString()); // the panes are not its business

        press(form, "Command5");
        QCOMPARE(panel(form), QStringLiteral("Draw a Reference Line"));
        QCOMPARE(graphic->view()->activeCommand(), 205);
        // The layer strip names the layer the line will go on before any click.
        QCOMPARE(graphic->findChild<QComboBox *>(QStringLiteral("Strip102"))->currentText(), QStringLiteral("Scale"));
        QVERIFY(fx->panes.soft->view().commandLog().isEmpty());
    }

    void graphicScreenSizeWithoutAFootStoresNothing()
    {
        Job().CurrentFoot.clear();
        openGraphicScreen();
        ScaleForm *form = open("ScaleForm");
        QCOMPARE(box(form, "Text2")->text(), QStringLiteral("0.0"));
        box(form, "Text2")->setText(QStringLiteral("7"));
        QCOMPARE(Job().FootSizeL, QStringLiteral("9"));
        QVERIFY(fx->softSizes.isEmpty());
    }
};

QTEST_MAIN(TestScaleForm)
#include "tst_scaleform.moc"
