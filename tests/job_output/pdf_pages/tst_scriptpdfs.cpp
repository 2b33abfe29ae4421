#include "documentfixtures.h"
#include "errors.h"
#include "paths.h"
#include "scriptpdfs.h"
#include "testhome.h"

#include <QImage>
#include <QPdfDocument>
#include <QtTest>

namespace {

// A job in the private working folder, with its folder made.
ScriptRecord jobInHome()
{
    ScriptRecord job = sampleJob();
    QDir().mkpath(job.CurrentFolder);
    return job;
}

// Text extraction folds runs of blanks, so texts are compared simplified.
bool has(const QString &page, const QString &text)
{
    return page.simplified().contains(text.simplified());
}

QStringList pageTexts(const QString &path)
{
    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None)
        return {};
    QStringList out;
    for (int i = 0; i < pdf.pageCount(); ++i)
        out << pdf.getAllText(i).text();
    return out;
}

} // namespace

class TestScriptPdfs : public QObject
{
    Q_OBJECT

private slots:
    void documentsOfEachCommand_data();
    void documentsOfEachCommand();
    void missingGraphicIsSkippedNotFatal();
    void longNotesAddAPage();
    void unwritableTargetLeavesNoFile();
    void failedFullDocumentKeepsNoHalfFile();
};

void TestScriptPdfs::documentsOfEachCommand_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("mainPages");
    QTest::addColumn<int>("fullPages");

    // Both graphics and the sketch exist, so the "_L" documents have five pages.
    for (int kind : {int(JobKind::Soft), int(JobKind::Rigid)}) {
        const QByteArray k = kind == int(JobKind::Soft) ? "soft " : "rigid ";
        QTest::newRow(k + "submit") << kind << int(PdfCommand::SubmitJob) << 1 << 5;
        QTest::newRow(k + "save locally") << kind << int(PdfCommand::SaveJobLocally) << 2 << 5;
        QTest::newRow(k + "save script") << kind << int(PdfCommand::SaveScript) << 2 << 5;
    }
}

void TestScriptPdfs::documentsOfEachCommand()
{
    QFETCH(int, kind);
    QFETCH(int, command);
    QFETCH(int, mainPages);
    QFETCH(int, fullPages);

    TestHome home;
    ScriptRecord job = jobInHome();
    job.LeftGraphicFile = saveJpeg(job.CurrentFolder + "/Lee_Ann_L.Jpg", Qt::blue);
    job.RightGraphicFile = saveJpeg(job.CurrentFolder + "/Lee_Ann_R.Jpg", Qt::green);
    job.JobImageFile = saveJpeg(job.CurrentFolder + "/AB0042_Ann_Lee.Jpg", Qt::white);
    saveJpeg(home.path("ClinicLogo.Jpg"), Qt::gray);

    Write_Script_PDFs(job, ScriptPdfRequest{JobKind(kind), PdfCommand(command), {}});
    QCOMPARE(job.TopCoverL, QStringLiteral("Poly,Foam")); // the job keeps what the documents printed

    const QStringList main = pageTexts(job.PdfFile);
    const QStringList full = pageTexts(job.FullPdfFile);
    QCOMPARE(main.size(), mainPages);
    QCOMPARE(full.size(), fullPages);

    const QString footerPath = QStringLiteral("C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee.Pdf");
    for (const QStringList &doc : {main, full}) {
        QVERIFY(has(doc[0], QStringLiteral("FOR OFFICE USE ONLY")));
        QVERIFY(has(doc[0], QStringLiteral("CLINIC NAME:  Walk Well  12 High St  Townsville")));
        for (int page = 0; page < doc.size(); ++page) {
            QVERIFY2(has(doc[page], footerPath), qPrintable(doc[page]));
            QVERIFY(has(doc[page], QStringLiteral("Page %1").arg(page + 1)));
            QVERIFY(has(doc[page], QStringLiteral("SOLVANE Version 2.08")));
        }
        if (doc.size() > 1)
            QVERIFY(has(doc[1], QStringLiteral("OTHER INFORMATION")));
    }
    const QString body =
        kind == int(JobKind::Soft) ? QStringLiteral("MET WEDGE LAT") : QStringLiteral("SHELL MATERIAL");
    QVERIFY(has(main[0], body));
    QVERIFY(!has(main[0], QStringLiteral("OTHER INFORMATION")));
    const bool script = command == int(PdfCommand::SaveScript);
    QVERIFY(has(full[script ? 2 : 4], QStringLiteral("Instructions:")));
    QVERIFY(has(full[script ? 3 : 2], QStringLiteral("LEFT FOOT GRAPHIC:")));
    QVERIFY(has(full[script ? 4 : 3], QStringLiteral("RIGHT FOOT GRAPHIC:")));
}

void TestScriptPdfs::missingGraphicIsSkippedNotFatal()
{
    TestHome home; // no clinic logo either
    ScriptRecord job = jobInHome();
    job.LeftGraphicFile = job.CurrentFolder + "/Deleted_L.Jpg";
    home.write("Data/clinic/Broken_R.Jpg", "not a picture");
    job.RightGraphicFile = job.CurrentFolder + "/Broken_R.Jpg";

    Write_EVA_Script_PDFs(job, PdfCommand::SubmitJob, {});
    const QStringList full = pageTexts(job.FullPdfFile);
    QCOMPARE(full.size(), 4);
    QVERIFY(has(full[2], "LEFT FOOT GRAPHIC:  Ann Lee"));
    QVERIFY(has(full[2], QStringLiteral("Page 3")));
    QVERIFY(has(full[3], QStringLiteral("RIGHT FOOT GRAPHIC:  Ann Lee")));
    QVERIFY(has(full[3], QStringLiteral("Page 4")));
}

void TestScriptPdfs::longNotesAddAPage()
{
    TestHome home;
    ScriptRecord job = jobInHome();
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << QStringLiteral("Line %1 of the notes").arg(i);
    job.Notes = lines.join(u';');
    Write_Script_PDF(job, ScriptPdfRequest{JobKind::Soft, PdfCommand::SubmitJob, {}}, PdfDocument::Main, job.PdfFile);

    const QStringList pages = pageTexts(job.PdfFile);
    QCOMPARE(pages.size(), 2);
    QVERIFY(has(pages[0], QStringLiteral("Line 17 of the notes")));
    QVERIFY(!has(pages[0], QStringLiteral("Line 18 of the notes")));
    QVERIFY(has(pages[1], QStringLiteral("Line 18 of the notes")));
    QVERIFY(has(pages[1], QStringLiteral("Line 40 of the notes")));
    QVERIFY(has(pages[0], QStringLiteral("Page 1")) && has(pages[1], QStringLiteral("Page 2")));
}

void TestScriptPdfs::unwritableTargetLeavesNoFile()
{
    TestHome home;
    ScriptRecord job = jobInHome();
    home.write("Data/clinic/Nas", "a file where the folder should be");
    job.PdfFile = job.CurrentFolder + "/Nas/AB0042_Ann_Lee.Pdf";
    job.FullPdfFile = job.CurrentFolder + "/AB0042_Ann_Lee_L.Pdf";

    try {
        Write_Rigid_Script_PDFs(job, PdfCommand::SaveJobLocally);
        QFAIL("documents were written to an unwritable path");
    } catch (const SolvaneError &e) {
        // The message names the file where it is on this machine.
        QVERIFY2(e.description().contains(QDir::toNativeSeparators(job.PdfFile)), qPrintable(e.description()));
    }
    QVERIFY(!QFileInfo::exists(job.PdfFile));
    QVERIFY(!QFileInfo::exists(job.FullPdfFile)); // the command stopped at the first document
    QCOMPARE(QDir(job.CurrentFolder).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"Nas"});
}

void TestScriptPdfs::failedFullDocumentKeepsNoHalfFile()
{
    TestHome home;
    ScriptRecord job = jobInHome();
    QDir().mkpath(job.CurrentFolder + "/Taken_L.Pdf"); // a folder in the document's place
    job.FullPdfFile = job.CurrentFolder + "/Taken_L.Pdf";

    QVERIFY_THROWS_EXCEPTION(SolvaneError, Write_EVA_Script_PDFs(job, PdfCommand::SaveScript, {}));
    QCOMPARE(pageTexts(job.PdfFile).size(), 2); // the main document is whole
    QVERIFY(QFileInfo(job.FullPdfFile).isDir());
    QCOMPARE(QDir(job.CurrentFolder).entryList(QDir::Files), QStringList{"AB0042_Ann_Lee.Pdf"});
}

QTEST_MAIN(TestScriptPdfs)
#include "tst_scriptpdfs.moc"
