#include "intaketestsupport.h"

#include "csveva.h"
#include "preparescript.h"
#include "rigidrecord.h"
#include "textfile.h"

namespace {

const QByteArray kConfig = "AB\r\nA0000\r\n0041\r\nClinic1\r\n";

QStringList recordLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return textfile::splitLines(textfile::decode1252(f.readAll()));
}

// The prescription windows as the buttons reach them: the rigid record is
// the real one, the windows' openings are recorded.
struct RecordedHooks
{
    QStringList calls;
    RecordedHooks()
    {
        PrepareHooks h;
        h.writeRigidRecord = [](ScriptRecord &job) { Write_CSV_Rigid(job); };
        h.openSoftWindow = [this] { calls << QStringLiteral("openSoft %1").arg(Job().PreparedCsvFlag); };
        h.showSoftFootSizes = [this] {
            calls << QStringLiteral("showSizes %1 %2").arg(Job().FootSizeL, Job().FootSizeR);
        };
        h.openRigidWindow = [this] { calls << QStringLiteral("openRigid %1").arg(Job().PreparedCsvFlag); };
        Set_Prepare_Hooks(h);
    }
    ~RecordedHooks() { Set_Prepare_Hooks({}); }
};

} // namespace

class TestIntakePrepare : public QObject
{
    Q_OBJECT
private slots:
    void eachWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("record"); // below the working folder
        QTest::addColumn<QString>("counterLine");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("ScanForm") << "ScanForm"
                                  << "Data/AB0041_Ann_Lee.Csv"
                                  << "0042" << QStringList{} << false;
        QTest::newRow("ScanForm2") << "ScanForm2"
                                   << "Data/AB0041_Ann_Lee.Csv"
                                   << "0041" << QStringList{"openSoft 1", "showSizes 9 10"} << true;
        QTest::newRow("ScanForm3") << "ScanForm3"
                                   << "Data/R_AB0041_Ann_Lee.Csv"
                                   << "0041" << QStringList{"openRigid 1"} << true;
        QTest::newRow("ScanForm5") << "ScanForm5"
                                   << "Data/AB0041_Ann_Lee.Csv"
                                   << "0041" << QStringList{"openSoft 1", "showSizes 9 10"} << true;
        QTest::newRow("ScanForm6") << "ScanForm6"
                                   << "Data/R_AB0041_Ann_Lee.Csv"
                                   << "0041" << QStringList{"openRigid 0"} << true;
    }
    void eachWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, record);
        QFETCH(QString, counterLine);
        QFETCH(QStringList, opened);
        QFETCH(bool, staysOpen);
        IntakeFixture fx;
        RecordedHooks hooks;
        fx.home.write(QStringLiteral("Solvane.Cfg"), kConfig);
        IntakeForm *form = fx.open(window);
        box(form, QStringLiteral("Text1"))->setText(QStringLiteral("Ann"));
        box(form, QStringLiteral("Text2"))->setText(QStringLiteral("Lee"));
        control<QComboBox>(form, QStringLiteral("Combo1_1"))->setCurrentText(QStringLiteral("10"));

        fx.prompter->calls.clear(); // what the window's load said
        control<QPushButton>(form, form->variant().prepare.name)->click();
        fx.settle();

        QVERIFY2(fx.prompter->calls.isEmpty(), qPrintable(fx.prompter->messages().join(u'|')));
        QCOMPARE(Job().CsvFile, fx.home.path(record));
        QCOMPARE(recordLines(Job().CsvFile).value(9), QStringLiteral("Client Surname,Lee"));
        QCOMPARE(textfile::splitLines(QString::fromLatin1(fx.home.read(QStringLiteral("Solvane.Cfg")))).value(2),
                 counterLine);
        QCOMPARE(hooks.calls, opened);
        QCOMPARE(Windows().isLoaded(window), staysOpen);
        if (staysOpen)
            QCOMPARE(box(form, QStringLiteral("Text3"))->text(), QStringLiteral("AB") + counterLine);
    }

    // "Mac Lean": refused with the exact message, nothing written, no window.
    void blankIsRefused()
    {
        IntakeFixture fx;
        RecordedHooks hooks;
        fx.home.write(QStringLiteral("Solvane.Cfg"), kConfig);
        IntakeForm *form = fx.open(QStringLiteral("ScanForm4"));
        box(form, QStringLiteral("Text2"))->setText(QStringLiteral("Mac Lean"));
        box(form, QStringLiteral("Text3"))->setText(QStringLiteral("AB0099"));
        fx.prompter->calls.clear();
        control<QPushButton>(form, QStringLiteral("Command7"))->click();
        QCOMPARE(fx.prompter->messages(), QStringList{QStringLiteral("Spaces Found in the Script File Name - Exit")});
        QCOMPARE(fx.home.read(QStringLiteral("Solvane.Cfg")), kConfig);
        QVERIFY(hooks.calls.isEmpty());
        QVERIFY(!QFileInfo::exists(Job().CsvFile));
        QCOMPARE(box(form, QStringLiteral("Text3"))->text(), QStringLiteral("AB0099")); // the command stopped
    }

    // An edited job number reaches line 2; the box then shows the counter's again.
    void editedJobNumber()
    {
        IntakeFixture fx;
        RecordedHooks hooks;
        fx.home.write(QStringLiteral("Solvane.Cfg"), kConfig);
        IntakeForm *form = fx.open(QStringLiteral("ScanForm2"));
        box(form, QStringLiteral("Text3"))->setText(QStringLiteral("AB0099"));
        control<QPushButton>(form, QStringLiteral("Command5"))->click();
        QCOMPARE(recordLines(Job().CsvFile).value(1), QStringLiteral("Job Number,AB0099"));
        QCOMPARE(box(form, QStringLiteral("Text3"))->text(), QStringLiteral("AB0041"));
    }

    // A file where the folder should be: "Error: ", nothing handed over.
    void unwritableFolder()
    {
        IntakeFixture fx;
        RecordedHooks hooks;
        fx.home.write(QStringLiteral("Solvane.Cfg"), kConfig);
        IntakeForm *form = fx.open(QStringLiteral("ScanForm5"));
        const QString dest = Job().ScanDestFolder;
        QDir(dest).removeRecursively();
        QFile f(dest);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        fx.prompter->calls.clear();
        control<QPushButton>(form, QStringLiteral("Command7"))->click();
        QCOMPARE(fx.prompter->messages().size(), 1);
        QVERIFY(fx.prompter->messages().first().startsWith(QStringLiteral("Error: ")));
        QCOMPARE(fx.home.read(QStringLiteral("Solvane.Cfg")), kConfig);
        QVERIFY(hooks.calls.isEmpty());
        QVERIFY(!Job().PreparedCsvFlag);
    }
};

QTEST_MAIN(TestIntakePrepare)
#include "tst_intakeprepare.moc"
