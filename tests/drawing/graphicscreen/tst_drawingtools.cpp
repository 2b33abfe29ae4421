#include "canceldialogs.h"
#include "drawingstate.h"
#include "drawingtools.h"
#include "drawingview.h"
#include "scriptedprompter.h"

#include <QtTest>

// Every menu item and palette button against the numbers it runs.
class TestDrawingTools : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScriptedPrompter::install(); }

    void numbersRun_data()
    {
        QTest::addColumn<QString>("place"); // "menu" or the palette
        QTest::addColumn<QString>("item"); // menu item, or palette button
        QTest::addColumn<QVector<int>>("numbers");
        using V = QVector<int>;
        const struct
        {
            const char *menu, *palette, *button;
            V numbers;
        } rows[] = {
            {"mnuUndo", "VCeditForm", "Command1", {301}},
            {"mnuRedo", "VCeditForm", "Command2", {302}},
            {"mnuScale", "VCeditForm", "Command3", {315}},
            {"mnuMove", "VCeditForm", "Command4", {313}},
            {"mnuCopy", "VCeditForm", "Command5", {312}},
            {"mnuRotate", "VCeditForm", "Command6", {314}},
            {"mnuMirror", "VCeditForm", "Command7", {316}},
            {"mnuErase", "VCeditForm", "Command8", {311}},
            {"mnuExplode", "VCeditForm", "Command9", {317}},
            {"mnuRaster", "VCeditForm", "Command10", {255}},
            {"mnuLine", "VCdrawForm", "Command1", {205}},
            {"mnuEllipse", "VCdrawForm", "Command3", {211}},
            {"mnuRect", "VCdrawForm", "Command4", {212}},
            {"mnuPolyline", "VCdrawForm", "Command5", {209}},
            {"mnuSpline", "VCdrawForm", "Command6", {242}},
            {"mnuMtext", "VCdrawForm", "Command7", {249}},
            {"mnuText", "VCdrawForm", "Command8", {245}},
            {"mnuLeader", "VCdrawForm", "Command9", {247}},
            {"mnuZoomE", "VCviewForm", "Command1", {102}},
            {"mnuZoomW", "VCviewForm", "Command2", {106}},
            {"mnuZoomI", "VCviewForm", "Command3", {103}},
            {"mnuZoomO", "VCviewForm", "Command4", {104}},
            {"mnuZoomP", "VCviewForm", "Command5", {105}},
            {"mnuPan", "VCviewForm", "Command6", {111}},
            {"mnuLayers1", "VCviewForm", "Command7", {802, 912}},
            {"mnuLayers2", "VCviewForm", "Command8", {801, 912}},
            {"mnuMeasure", "VCinfoForm", "Command1", {952}},
            {"mnuProp", "VCutilForm", "Command1", {306}},
            {"mnuSelect1", "VCutilForm", "Command2", {501}},
            {"mnuSelect2", "VCutilForm", "Command3", {502}},
            {"mnuAll", "VCutilForm", "Command4", {}},
            {"mnuPolar", "VCutilForm", "Command5", {427}},
            {"mnuTextStyle", "VCutilForm", "Command6", {806}},
            {"mnuPrint", "VCfilesForm", "Command2", {901}},
        };
        for (const auto &row : rows) {
            QTest::addRow("%s", row.menu) << "menu" << row.menu << row.numbers;
            QTest::addRow("%s %s", row.palette, row.button) << row.palette << row.button << row.numbers;
        }
        // The two circle commands.
        QTest::newRow("mnuCircle") << "menu"
                                   << "mnuCircle" << V{221};
        QTest::newRow("VCdrawForm Command2") << "VCdrawForm"
                                             << "Command2" << V{220};
    }
    void numbersRun()
    {
        QFETCH(QString, place);
        QFETCH(QString, item);
        QFETCH(QVector<int>, numbers);
        const bool menu = place == QLatin1String("menu");
        const DrawingTool *tool = menu ? Find_Menu_Tool(item) : Find_Palette_Tool(place, item);
        QVERIFY(tool);
        cad::DrawingView view;
        // Dialog commands would open dialogs: answer them with cancels.
        view.setDialogs(std::make_shared<CancelDialogs>());
        QVERIFY(Run_Tool(*tool, menu ? ToolPlace::Menu : ToolPlace::Palette, view));
        QCOMPARE(view.commandLog(), numbers);
    }

    void onlyTheLayerToolsRun912()
    {
        for (const DrawingTool &tool : Drawing_Tools()) {
            bool runs912 = false;
            for (const ToolStep &step : tool.steps)
                runs912 = runs912 || (step.kind == ToolStep::Command && step.number == 912);
            QCOMPARE(runs912, tool.tool == QLatin1String("Layers") || tool.tool == QLatin1String("Layer Order"));
        }
    }

    void captionsAndWindowTools()
    {
        QCOMPARE(Find_Palette_Tool(QStringLiteral("VCviewForm"), QStringLiteral("Command2"))->buttonCaption,
                 QStringLiteral("Zoom Windows"));
        QCOMPARE(Find_Menu_Tool(QStringLiteral("mnuZoomW"))->menuCaption, QStringLiteral("Zoom Window"));
        cad::DrawingView view;
        for (const char *item :
             {"mnuSaveJPG", "mnuOpen", "mnuSave", "mnuSetscale", "mnuSize", "mnuFoot", "mnuFeatures", "mnuQuit"}) {
            const DrawingTool *tool = Find_Menu_Tool(QString::fromLatin1(item));
            QVERIFY2(tool, item);
            QVERIFY(!Run_Tool(*tool, ToolPlace::Menu, view));
        }
        QVERIFY(view.commandLog().isEmpty());
        // Every item of the menu bar is a tool of the table.
        for (const ToolMenu &menu : Graphic_Screen_Menus())
            for (const QString &entry : menu.items)
                QVERIFY2(entry.contains(u'-') || Find_Tool(entry), qPrintable(entry));
    }

    void textHeightIsATwentiethOfTheDrawing_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<double>("height");
        QTest::newRow("Text, 0 to 800") << "Text" << false << 40.0;
        QTest::newRow("MultiText, 0 to 800") << "MultiText" << false << 40.0;
        // An empty drawing keeps the height it had.
        QTest::newRow("Text, empty drawing") << "Text" << true << 3.5;
    }
    void textHeightIsATwentiethOfTheDrawing()
    {
        QFETCH(QString, tool);
        QFETCH(bool, empty);
        QFETCH(double, height);
        cad::DrawingView view;
        view.drawing().setDefaultTextHeight(3.5);
        if (!empty)
            view.drawing().addLine({0, 0}, {100, 800});
        QVERIFY(Run_Tool(*Find_Tool(tool), ToolPlace::Menu, view));
        QCOMPARE(view.drawing().defaultTextHeight(), height);
        if (!empty)
            QCOMPARE(Drawing_State().DrawingTop, 800.0);
    }

    void unselectAllRunsNoNumber()
    {
        cad::DrawingView view;
        view.setSelection({view.drawing().addLine({0, 0}, {1, 1})});
        QVERIFY(Run_Tool(*Find_Tool(QStringLiteral("Unselect All")), ToolPlace::Palette, view));
        QVERIFY(view.selection().isEmpty());
        QVERIFY(view.commandLog().isEmpty());
    }
};

QTEST_MAIN(TestDrawingTools)
#include "tst_drawingtools.moc"
