#include "drawingtools.h"
#include "palettewindow.h"
#include "toolwindowfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

class TestPalettes : public QObject
{
    Q_OBJECT

    std::unique_ptr<ToolWindowFixture> fx;

    PaletteWindow *palette(const char *name)
    {
        return qobject_cast<PaletteWindow *>(ToolWindowFixture::open(QString::fromLatin1(name)));
    }
    static bool isOpen(const char *name)
    {
        ToolWindowFixture::settle();
        return Windows().isLoaded(QString::fromLatin1(name));
    }

private slots:
    void init() { fx = std::make_unique<ToolWindowFixture>(); }
    void cleanup() { fx.reset(); }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("lastButton");
        QTest::addColumn<QRect>("lastGeometry");
        // Twips / 15: a button 25 high, the next 24 below, 32 across a gap.
        QTest::newRow("Files") << "VCfilesForm"
                               << "Files" << QSize(88, 81) << "Command3" << QRect(0, 56, 89, 25);
        QTest::newRow("Sizing") << "VCsizeForm"
                                << "Sizing" << QSize(105, 81) << "Command3" << QRect(0, 56, 105, 25);
        QTest::newRow("Edit") << "VCeditForm"
                              << "Edit" << QSize(89, 289) << "Command11" << QRect(0, 264, 89, 25);
        QTest::newRow("Draw") << "VCdrawForm"
                              << "Draw" << QSize(90, 258) << "Command10" << QRect(0, 232, 89, 25);
        QTest::newRow("View") << "VCviewForm"
                              << "View" << QSize(106, 233) << "Command9" << QRect(0, 208, 105, 25);
        QTest::newRow("Info") << "VCinfoForm"
                              << "Info" << QSize(90, 81) << "Command3" << QRect(0, 56, 89, 25);
        QTest::newRow("Utility") << "VCutilForm"
                                 << "Utility" << QSize(97, 193) << "Command7" << QRect(0, 168, 97, 25);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QString, lastButton);
        QFETCH(QRect, lastGeometry);
        auto *w = qobject_cast<PaletteWindow *>(ToolWindowFixture::open(name));
        QVERIFY(w);
        QCOMPARE(w->objectName(), name);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->minimumSize(), size);
        QCOMPARE(w->maximumSize(), size);
        QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!w->parentWidget());
        QCOMPARE(w->button(lastButton)->geometry(), lastGeometry);
        QCOMPARE(w->button(lastButton)->accessibleName(), QStringLiteral("Close"));
        const ToolPalette *row = Find_Tool_Palette(name);
        for (const QString &item : row->items) {
            if (item == QLatin1String("-"))
                continue;
            QPushButton *b = w->button(item);
            QVERIFY2(b, qPrintable(item));
            QCOMPARE(b->accessibleName(), b->text());
            QVERIFY(!b->text().isEmpty());
        }
        QCOMPARE(w->button(QStringLiteral("Command1"))->geometry().topLeft(), QPoint(0, 0));
    }

    void captionsDifferFromTheMenuWhereTheyDid()
    {
        QCOMPARE(palette("VCviewForm")->button(QStringLiteral("Command2"))->text(), QStringLiteral("Zoom Windows"));
        QCOMPARE(palette("VCsizeForm")->button(QStringLiteral("Command2"))->text(), QStringLiteral("Load Template"));
    }

    void oneInstanceOfEach()
    {
        PaletteWindow *first = palette("VCdrawForm");
        QCOMPARE(palette("VCdrawForm"), first);
        const QWidgetList all = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(all.begin(), all.end(),
                               [](QWidget *w) { return w->objectName() == QLatin1String("VCdrawForm"); }),
                 1);
    }

    void buttonActsOnThePaneTheFlagNames_data()
    {
        QTest::addColumn<bool>("evaScript");
        QTest::newRow("soft") << true;
        QTest::newRow("rigid") << false;
    }
    void buttonActsOnThePaneTheFlagNames()
    {
        QFETCH(bool, evaScript);
        Job().EvaScriptFlag = evaScript;
        FakeInsolePane &chosen = evaScript ? *fx->panes.soft : *fx->panes.rigid;
        FakeInsolePane &other = evaScript ? *fx->panes.rigid : *fx->panes.soft;
        palette("VCdrawForm")->button(QStringLiteral("Command2"))->click(); // Circle
        QCOMPARE(chosen.view().commandLog(), QVector<int>{220});
        QVERIFY(other.view().commandLog().isEmpty());
        QVERIFY(!isOpen("VCdrawForm"));
        // The flag decides at each press, whatever it was when the palette opened.
        PaletteWindow *view = palette("VCviewForm");
        Job().EvaScriptFlag = !evaScript;
        view->button(QStringLiteral("Command3"))->click(); // Zoom In
        QCOMPARE(other.view().commandLog(), QVector<int>{103});
        QCOMPARE(chosen.view().commandLog(), QVector<int>{220});
    }

    void closedTargetIsNeitherCreatedNorTouched_data()
    {
        QTest::addColumn<bool>("evaScript");
        QTest::addColumn<QString>("message");
        QTest::newRow("soft") << true << "The \"EVA Orthotic Script File\" window is not open.";
        QTest::newRow("rigid") << false << "The \"Rigid Orthotic Script File\" window is not open.";
    }
    void closedTargetIsNeitherCreatedNorTouched()
    {
        QFETCH(bool, evaScript);
        QFETCH(QString, message);
        int created = 0;
        for (const char *name : {"ScriptForm1", "ScriptForm2"})
            Windows().registerFactory(QString::fromLatin1(name), [&created]() -> QWidget * {
                ++created;
                return nullptr;
            });
        Job().EvaScriptFlag = evaScript;
        (evaScript ? fx->panes.soft : fx->panes.rigid).reset();
        FakeInsolePane &open = evaScript ? *fx->panes.rigid : *fx->panes.soft;
        for (const char *button : {"Command1", "Command2"}) {
            palette("VCsizeForm")->button(QString::fromLatin1(button))->click();
            palette("VCfilesForm")->button(QString::fromLatin1(button))->click();
        }
        QCOMPARE(created, 0);
        QCOMPARE(fx->prompter->messages(), QStringList(4, message));
        QCOMPARE(fx->prompter->calls.first().title, QStringLiteral("Info"));
        QVERIFY(open.view().commandLog().isEmpty());
        QCOMPARE(open.burns, 0);
        QVERIFY(!Windows().isLoaded(QStringLiteral("ScaleForm2")));
        // Nothing ran, so the palettes stay for another try.
        QVERIFY(isOpen("VCsizeForm"));
        QVERIFY(isOpen("VCfilesForm"));
    }

    void backgroundClickAndCloseOnlyClose_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how");
        QTest::newRow("gap between groups") << "VCeditForm"
                                            << "background";
        QTest::newRow("Close button") << "VCutilForm"
                                      << "close";
    }
    void backgroundClickAndCloseOnlyClose()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        auto *w = qobject_cast<PaletteWindow *>(ToolWindowFixture::open(name));
        if (how == QLatin1String("background"))
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(44, 52)); // below "Redo", above "Scale"
        else
            w->button(Find_Tool_Palette(name)->closeButton())->click();
        ToolWindowFixture::settle();
        QVERIFY(!Windows().isLoaded(name));
        QVERIFY(fx->panes.soft->view().commandLog().isEmpty());
        QVERIFY(fx->prompter->calls.isEmpty());
    }

    void saveBurnsThePaneAndCloses()
    {
        Job().EvaScriptFlag = false;
        palette("VCfilesForm")->button(QStringLiteral("Command1"))->click();
        QCOMPARE(fx->panes.rigid->burns, 1);
        QCOMPARE(fx->panes.soft->burns, 0);
        QVERIFY(!isOpen("VCfilesForm"));
    }

    void setScaleOpensTheCalibrationAndCloses()
    {
        palette("VCsizeForm")->button(QStringLiteral("Command1"))->click();
        QVERIFY(Windows().isLoaded(QStringLiteral("ScaleForm2")));
        QVERIFY(!isOpen("VCsizeForm"));
        QVERIFY(fx->panes.soft->view().commandLog().isEmpty());
    }

    void loadTemplate_data()
    {
        QTest::addColumn<QString>("foot");
        QTest::addColumn<bool>("placed");
        QTest::newRow("left foot") << "Left" << true;
        QTest::newRow("no side") << "left" << false;
    }
    void loadTemplate()
    {
        QFETCH(QString, foot);
        QFETCH(bool, placed);
        Job().CurrentFoot = foot;
        FakeInsolePane &pane = *fx->panes.soft;
        const int before = pane.drawing().count();
        palette("VCsizeForm")->button(QStringLiteral("Command2"))->click();
        QCOMPARE(pane.drawing().count(), before + (placed ? 1 : 0));
        QCOMPARE(pane.view().commandLog(), placed ? QVector<int>{102} : QVector<int>{});
        QCOMPARE(pane.message, placed ? QString() : QStringLiteral("No Template Size Data was Found"));
        QCOMPARE(isOpen("VCsizeForm"), !placed);
    }

    void footInfoShowsTheMessageThenCloses_data()
    {
        QTest::addColumn<bool>("paneOpen");
        QTest::newRow("pane open") << true;
        QTest::newRow("no pane: the message needs none") << false;
    }
    void footInfoShowsTheMessageThenCloses()
    {
        QFETCH(bool, paneOpen);
        if (!paneOpen)
            fx->panes.soft.reset();
        Job().TemplateLengthL = 270;
        Job().FootLengthL = 245;
        palette("VCinfoForm")->button(QStringLiteral("Command2"))->click();
        QCOMPARE(fx->prompter->messages(),
                 QStringList{"Template Length:   270.0 mm\r\nFoot Length:   245.0 mm\r\nFoot Size:   9"});
        QVERIFY(!isOpen("VCinfoForm"));
    }

    void textToolSetsTheHeightFromThePane()
    {
        FakeInsolePane &pane = *fx->panes.soft;
        pane.drawing().addLine(QPointF(0, 0), QPointF(0, 800));
        palette("VCdrawForm")->button(QStringLiteral("Command8"))->click();
        QCOMPARE(pane.drawing().defaultTextHeight(), 40.0);
        QCOMPARE(pane.view().commandLog(), QVector<int>{245});
    }
};

QTEST_MAIN(TestPalettes)
#include "tst_palettes.moc"
