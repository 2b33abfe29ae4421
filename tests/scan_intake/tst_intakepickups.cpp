// The LSR and Pellmar windows' scan buttons, with the real foot views and
// the stand-in as the scanner program at the path the window's settings name.
#include "core/scannerstandin.h"
#include "footviewinterface.h"
#include "intaketestsupport.h"
#include "paths.h"
#include "textfile.h"

#include <QDir>

namespace {

const QString kLsrProgram = QStringLiteral("C:\\LSR 3D Foot Scan\\Bin\\LSR_3D_Foot_Scan.exe");
const QString kPellmarProgram = QStringLiteral("C:\\KOVA_Datastore\\PellmarBrennickScannerControlPopUp.V0.99b.exe");
const QString kDropFileName = QStringLiteral("BrennickSingleRepeatOutput.wrl");

struct ScannerWindowFixture : IntakeFixture
{
    QString log = home.path(QStringLiteral("standin.log"));
    QString photo = ScannerStandin::photo(home.root());

    ScannerWindowFixture() { Register_Foot_Views(); }
    ~ScannerWindowFixture()
    {
        for (const char *key : {"STANDIN_LOG", "STANDIN_MODE", "STANDIN_WRITE"})
            qunsetenv(key);
    }

    // The stand-in where the settings send the scan on this machine
    // (<working folder>/External/... for a Windows path outside it).
    QString installScanner(const QString &windowsPath) const
    {
        const QFileInfo local(From_Windows_Path(windowsPath));
        const QString program = Standin::install(local.path(), local.fileName());
        if (program.isEmpty())
            qWarning("the stand-in %s could not be installed", qPrintable(Standin::program()));
        return program;
    }

    IntakeForm *client(const QString &window) const
    {
        IntakeForm *form = open(window);
        box(form, QStringLiteral("Text1"))->setText(QStringLiteral("John"));
        box(form, QStringLiteral("Text2"))->setText(QStringLiteral("Smith"));
        return form;
    }

    int runs() const { return int(Standin::readLog(log).size()); }
};

QString textureUrlOf(const QString &scan)
{
    QFile file(scan);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.contains("url"))
            return QString::fromUtf8(line.trimmed());
    return {};
}

} // namespace

class TestIntakePickups : public QObject
{
    Q_OBJECT

private slots:
    void lsrWindowScansBothFeet_data();
    void lsrWindowScansBothFeet();
    void lsrWindowWithoutItsScanner();
    void pellmarFlagsAreSharedAndReset();
    void pellmarStaleDropFileIsRefused();
};

void TestIntakePickups::lsrWindowScansBothFeet_data()
{
    QTest::addColumn<QString>("dataFolderLine"); // line 2 of "MiniScanner.Cfg"; empty: no file
    QTest::addColumn<QString>("folder"); // D on this machine, as the window loads it
    QTest::addColumn<QString>("scannerName"); // G, the scanner's own file names
    QTest::addColumn<QString>("gender");
    QTest::addColumn<QString>("code");

    QTest::newRow("default folder, male") << QString() << QStringLiteral("Data/LSR_Scanner/") << QString()
                                          << QStringLiteral("Male") << QStringLiteral("0");
    QTest::newRow("Scan1 without separator, female")
        << QStringLiteral("C:\\3DEriruvu\\Data\\LSR_Scanner\\Scan1") << QStringLiteral("Data/LSR_Scanner/Scan1")
        << QStringLiteral("Scan1") << QStringLiteral("Female") << QStringLiteral("1");
}

void TestIntakePickups::lsrWindowScansBothFeet()
{
    QFETCH(QString, dataFolderLine);
    QFETCH(QString, folder);
    QFETCH(QString, scannerName);
    QFETCH(QString, gender);
    QFETCH(QString, code);

    ScannerWindowFixture fx;
    const QString program = fx.installScanner(kLsrProgram);
    QVERIFY(!program.isEmpty());
    if (!dataFolderLine.isEmpty())
        fx.home.write(QStringLiteral("MiniScanner.Cfg"), (kLsrProgram + "\r\n" + dataFolderLine + "\r\n").toUtf8());
    const QString d = fx.home.path(folder);
    const QString plainD = d.endsWith(u'/') ? d.chopped(1) : d;
    QStringList scannerFiles;
    QStringList writes;
    for (const QString side : {"L", "R"}) {
        const QString own = plainD + u'/' + scannerName + u'_' + side;
        scannerFiles << own + ".wrl" << own + "[VRML].jpg";
        writes << own + ".wrl<" + ScannerStandin::fixture("pickup_scan_lf.wrl") << own + "[VRML].jpg<" + fx.photo;
    }
    Standin::configure(fx.log, QStringLiteral("ok"), writes);
    IntakeForm *form = fx.client(QStringLiteral("ScanForm4"));
    Job().Gender = gender;

    button(form, QStringLiteral("Command4"))->click();

    QVERIFY2(fx.prompter->messages().isEmpty(), qPrintable(fx.prompter->messages().join(u';') + Last_Status()));
    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].name, QStringLiteral("LSR_3D_Foot_Scan.exe"));
    // Each name and the folder reach the scanner as one argument.
    QCOMPARE(runs[0].args, QStringList({"-s", "John", "Smith", code, "000000000000", "-n", d}));
    QCOMPARE(QDir(runs[0].cwd).canonicalPath(), QFileInfo(program).canonicalPath());
    const QStringList bat = textfile::readLines(Paths::file(QStringLiteral("Scanner.Bat")));
    QCOMPARE(bat.size(), 2);
    QCOMPARE(bat[1], QDir::toNativeSeparators(program) + " -s John Smith " + code + " 000000000000 -n "
                         + QDir::toNativeSeparators(d));

    QCOMPARE(box(form, QStringLiteral("Text9"))->text(), QStringLiteral("Smith_John_L"));
    QCOMPARE(box(form, QStringLiteral("Text10"))->text(), QStringLiteral("Smith_John_R"));
    QCOMPARE(form->statusText(), QStringLiteral("Ready"));
    QCOMPARE(Last_Status(), QStringLiteral("Loading Scan Data"));
    QCOMPARE(fx.shell.caption, "Scan File: " + plainD + "/Smith_John_R.wrl");
    QCOMPARE(Job().CurrentFolder, plainD);
    for (const FootSide side : {FootSide::Left, FootSide::Right}) {
        const QString base = plainD + "/Smith_John_" + Side_Letter(side);
        FootView &view = Foot_View(side);
        QVERIFY(view.isVisible());
        QCOMPARE(view.windowTitle(), Side_Name(side) + " Foot: " + QDir::toNativeSeparators(base + ".wrl"));
        QCOMPARE(textureUrlOf(base + ".wrl"), QString("url \"Smith_John_") + Side_Letter(side) + "[VRML].jpg\"");
        QVERIFY(QFile::exists(base + "[VRML].jpg"));
        QVERIFY(QFile::exists(Paths::file(QString("Undo%1.Lcf").arg(Side_Letter(side)))));
    }
    QCOMPARE(Job().LeftLcfFile, plainD + "/Smith_John_L.Lcf");
    QCOMPARE(Job().RightGraphicFile, plainD + "/Smith_John_R[VRML].jpg");
    // Both feet are in from their copies: the scanner's own files are gone.
    for (const QString &file : std::as_const(scannerFiles))
        QVERIFY2(!QFile::exists(file), qPrintable(file));
}

void TestIntakePickups::lsrWindowWithoutItsScanner()
{
    ScannerWindowFixture fx;
    IntakeForm *form = fx.client(QStringLiteral("ScanForm4"));

    button(form, QStringLiteral("Command4"))->click();

    QCOMPARE(fx.prompter->messages(), QStringList("LSR Scanner Application Error"));
    QCOMPARE(fx.prompter->calls[0].title, QStringLiteral("Error"));
    QVERIFY(!Loaded_Foot_View(FootSide::Left));
    QVERIFY(!Loaded_Foot_View(FootSide::Right));
}

// A foot scanned in one Pellmar window counts as scanned in the other until
// "Reset Flags"; a refused scan starts nothing.
void TestIntakePickups::pellmarFlagsAreSharedAndReset()
{
    ScannerWindowFixture fx;
    QVERIFY(!fx.installScanner(kPellmarProgram).isEmpty());
    Job().DataFolder = fx.home.path(QStringLiteral("Data/Clinic1/"));
    const QString drop = From_Windows_Path(QStringLiteral("C:\\KOVA_Datastore\\DataDrop\\")) + kDropFileName;
    Standin::configure(fx.log, QStringLiteral("ok"), {drop + u'<' + ScannerStandin::fixture("pickup_scan_crlf.wrl")});
    IntakeForm *eva = fx.client(QStringLiteral("ScanForm5"));

    button(eva, QStringLiteral("Command4"))->click();

    QVERIFY2(fx.prompter->messages().isEmpty(), qPrintable(fx.prompter->messages().join(u';')));
    QCOMPARE(fx.runs(), 1);
    const QString base = fx.home.path(QStringLiteral("Data/Clinic1/Smith_John_L"));
    for (const QString ext : {".wrl", ".Lcf", ".Jpg"})
        QVERIFY2(QFile::exists(base + ext), qPrintable(base + ext));
    QVERIFY(QFile::exists(drop));
    QCOMPARE(Job().CurrentFolder, fx.home.path(QStringLiteral("Data/Clinic1")));
    QCOMPARE(Job().LeftGraphicFile, base + ".Jpg");
    QCOMPARE(Left_View().windowTitle(), "Left Foot: " + QDir::toNativeSeparators(base + ".wrl"));
    QVERIFY(Left_View().isVisible());
    QCOMPARE(eva->statusText(), QStringLiteral("Ready"));
    QVERIFY(Job().ScannedFlagL);
    QVERIFY(!Job().ScannedFlagR);

    button(eva, QStringLiteral("Command4"))->click();
    IntakeForm *rigid = fx.client(QStringLiteral("ScanForm6"));
    button(rigid, QStringLiteral("Command4"))->click();

    QCOMPARE(fx.prompter->messages(), QStringList(2, QStringLiteral("Left Foot Has Already Been Scanned")));
    QCOMPARE(fx.prompter->calls[1].title, QStringLiteral("Left"));
    QCOMPARE(fx.runs(), 1);

    button(rigid, QStringLiteral("Command1"))->click();

    QVERIFY(!Job().ScannedFlagL);
    QVERIFY(!Job().ScannedFlagR);
    QCOMPARE(fx.prompter->messages().size(), 2);

    // Scanned again after the reset, now from the rigid window.
    Standin::configure(fx.log, QStringLiteral("ok"), {drop + u'<' + ScannerStandin::fixture("pickup_scan_lf.wrl")});
    button(rigid, QStringLiteral("Command4"))->click();

    QCOMPARE(fx.prompter->messages().size(), 2);
    QCOMPARE(fx.runs(), 2);
    QVERIFY(Job().ScannedFlagL);
    QCOMPARE(rigid->statusText(), QStringLiteral("Ready"));
}

// The scanner never removes its old drop file: a run that leaves no new one
// must not give the foot the last client's scan, and the foot stays open.
void TestIntakePickups::pellmarStaleDropFileIsRefused()
{
    ScannerWindowFixture fx;
    QVERIFY(!fx.installScanner(kPellmarProgram).isEmpty());
    const QString drop = From_Windows_Path(QStringLiteral("C:\\KOVA_Datastore\\DataDrop\\")) + kDropFileName;
    QDir().mkpath(QFileInfo(drop).path());
    QVERIFY(QFile::copy(ScannerStandin::fixture("pickup_scan_lf.wrl"), drop));
    Standin::configure(fx.log, QStringLiteral("none"));
    IntakeForm *form = fx.client(QStringLiteral("ScanForm5"));

    button(form, QStringLiteral("Command5"))->click();

    QCOMPARE(fx.prompter->messages(), QStringList("No New Scan Was Received from the Pellmar Scanner"));
    QCOMPARE(fx.prompter->calls[0].title, QStringLiteral("Right"));
    QCOMPARE(fx.runs(), 1);
    QVERIFY(!Job().ScannedFlagR);
    QVERIFY(QFile::exists(drop));
    QVERIFY(!QFile::exists(fx.home.path(QStringLiteral("Data/Smith_John_R.wrl"))));
    QVERIFY(!Loaded_Foot_View(FootSide::Right));
}

QTEST_MAIN(TestIntakePickups)
#include "tst_intakepickups.moc"
