#include "documentfixtures.h"
#include "errors.h"
#include "paths.h"
#include "prescriptiondocument.h"
#include "recordingpdfwriter.h"
#include "scriptpdfs.h"
#include "testhome.h"

#include <QImage>
#include <QtTest>

using Call = RecordingPdfWriter::Call;

namespace {

void composeHead(RecordingPdfWriter &w, const ScriptRecord &job, JobKind kind)
{
    PrescriptionDocument doc(w, job);
    doc.Begin_Script_Document(QStringLiteral("out.Pdf"), kind);
}

} // namespace

class TestPrescriptionFrame : public QObject
{
    Q_OBJECT

private slots:
    void titleBand_data();
    void titleBand();
    void headRowsWithoutTicks();
    void headRowsWithTicks_data();
    void headRowsWithTicks();
    void podiatristWithoutClinicJobNumber();
    void footerRows_data();
    void footerRows();
    void flowingRowsContinueOnANewPage();
    void imagePages();
    void missingImagesLeaveTheirAreaEmpty();
    void pageSequences_data();
    void pageSequences();
    void failureAbortsTheDocument();
};

void TestPrescriptionFrame::titleBand_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("fileName"); // empty: no title file
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title"); // empty: no band

    QTest::newRow("soft default") << int(JobKind::Soft) << QString() << QByteArray()
                                  << QStringLiteral("  BRENNICK  ORTHOTICS  PRESCRIPTION");
    QTest::newRow("rigid default") << int(JobKind::Rigid) << QString() << QByteArray()
                                   << QStringLiteral("  BRENNICK  RIGID  PRESCRIPTION");
    QTest::newRow("own title, first line only")
        << int(JobKind::Rigid) << QStringLiteral("Custom.Cfg") << QByteArray("  WALK WELL\xA0LAB\r\nignored\r\n")
        << QStringLiteral("  WALK WELL\u00A0LAB");
    QTest::newRow("name in another case")
        << int(JobKind::Soft) << QStringLiteral("CUSTOM.CFG") << QByteArray("Clinic\r\n") << QStringLiteral("Clinic");
    QTest::newRow("one character") << int(JobKind::Soft) << QStringLiteral("Custom.Cfg") << QByteArray("X\r\n")
                                   << QString();
    QTest::newRow("empty file") << int(JobKind::Soft) << QStringLiteral("Custom.Cfg") << QByteArray() << QString();
}

void TestPrescriptionFrame::titleBand()
{
    QFETCH(int, kind);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, title);

    TestHome home;
    if (!fileName.isEmpty())
        home.write(fileName, content);
    RecordingPdfWriter w;
    composeHead(w, sampleJob(), JobKind(kind));

    const QList<Call> boxes = w.ofOp(QStringLiteral("Pdf_Text_In_Box"));
    const Call *jobNo = w.findText(QStringLiteral("JOB NO:"));
    if (title.isEmpty()) {
        QVERIFY(boxes.isEmpty());
        QVERIFY(!jobNo);
        QVERIFY(w.ofOp(QStringLiteral("Pdf_Rectangle")).size() == 1); // only the "DATE RECEIVED" box
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, title);
        QCOMPARE(boxes[0].args, (QVector<int>{100, 80, 2000, 180, 0, 2}));
        QCOMPARE(boxes[0].size, 14.0);
        QCOMPARE(w.ofOp(QStringLiteral("Pdf_Rectangle")).first().args, (QVector<int>{100, 80, 2000, 180}));
        QVERIFY(jobNo);
        QCOMPARE(jobNo->args, (QVector<int>{1200, 100}));
        QCOMPARE(jobNo->size, 14.0);
    }
    // The head starts three lines below 100 either way.
    const Call *office = w.findText(QStringLiteral("FOR OFFICE USE ONLY        S:                P:                "
                                                   "M:                G:                C:                B:"));
    QVERIFY(office);
    QCOMPARE(office->args, (QVector<int>{200, 247}));
    QCOMPARE(office->size, 10.0);
    QCOMPARE(office->font, QStringLiteral("Arial"));
}

void TestPrescriptionFrame::headRowsWithoutTicks()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    const QString clinic = job.ClinicName;
    job.ClinicJobNumber = QStringLiteral("P-77");
    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.Begin_Script_Document(QStringLiteral("out.Pdf"), JobKind::Soft);

    // Line spacing: 1.4 x the height of "A" in Arial 10 (35 tenths).
    QCOMPARE(doc.PdfLineSpacing, 49.0);
    QCOMPARE(row(w, 296), (QStringList{QStringLiteral("200:FILE NO:  AB0042"), QStringLiteral("950:DATE RECEIVED:")}));
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_Rectangle")).last().args, (QVector<int>{1430, 296, 2000, 443}));
    QCOMPARE(row(w, 345), QStringList{QStringLiteral("200:CNC FILE FORMAT:  ")});
    QCOMPARE(row(w, 394),
             (QStringList{QStringLiteral("200:DISPENSE DATE:"), QStringLiteral("500:05/03/2026 (urgent)")}));
    // 394 + 1.5 x 49 = 467.5, a half that goes to the even 468.
    QCOMPARE(row(w, 468), (QStringList{QStringLiteral("200:CLIENT NAME:"), QStringLiteral("500:Ann  Lee"),
                                       QStringLiteral("950:CLINIC NAME:  Walk Well  12 High St  Townsville")}));
    QCOMPARE(row(w, 517), (QStringList{QStringLiteral("200:GENDER:   Female"),
                                       QStringLiteral("950:PODIATRIST:   Dr Foot  (Pod Job Number: P-77)")}));
    QCOMPARE(doc.PdfCursorY, 517);
    QVERIFY(!w.findText(QStringLiteral("Priority Return Required")));
    QVERIFY(!w.findText(QStringLiteral("Confirm Order Before Manufacture")));
    QCOMPARE(job.ClinicName, clinic);
    for (const Call &c : w.texts())
        QVERIFY2(!c.bold, qPrintable(c.text));
    QCOMPARE(w.calls.last().op, QStringLiteral("Pdf_Text")); // the head leaves the document open
}

void TestPrescriptionFrame::headRowsWithTicks_data()
{
    QTest::addColumn<bool>("priority");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("priorityY");
    QTest::addColumn<int>("confirmY");
    QTest::addColumn<int>("clientY");

    QTest::newRow("both") << true << true << 463 << 532 << 606;
    QTest::newRow("priority only") << true << false << 463 << 0 << 536; // 536.5 goes to the even 536
    QTest::newRow("confirm only") << false << true << 0 << 463 << 536;
}

void TestPrescriptionFrame::headRowsWithTicks()
{
    QFETCH(bool, priority);
    QFETCH(bool, confirm);
    QFETCH(int, priorityY);
    QFETCH(int, confirmY);
    QFETCH(int, clientY);

    TestHome home;
    ScriptRecord job = sampleJob();
    job.PriorityReturn = priority;
    job.ConfirmBeforeManufacture = confirm;
    RecordingPdfWriter w;
    composeHead(w, job, JobKind::Rigid);

    const Call *p = w.findText(QStringLiteral("Priority Return Required"));
    const Call *c = w.findText(QStringLiteral("Confirm Order Before Manufacture"));
    QCOMPARE(bool(p), priority);
    QCOMPARE(bool(c), confirm);
    if (p) {
        QCOMPARE(p->args, (QVector<int>{1430, priorityY}));
        QVERIFY(p->bold);
    }
    if (c) {
        QCOMPARE(c->args, (QVector<int>{1430, confirmY}));
        QVERIFY(c->bold);
    }
    const Call *client = w.findText(QStringLiteral("CLIENT NAME:"));
    QVERIFY(client);
    QCOMPARE(client->y(), clientY);
    QVERIFY(!client->bold);
}

void TestPrescriptionFrame::podiatristWithoutClinicJobNumber()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.ClinicJobNumber.clear();
    job.ClinicName = QStringLiteral("Solo");
    RecordingPdfWriter w;
    composeHead(w, job, JobKind::Soft);
    QVERIFY(w.findText(QStringLiteral("PODIATRIST:   Dr Foot")));
    QVERIFY(w.findText(QStringLiteral("CLINIC NAME:  Solo    ")));

    // A fourth part is not printed.
    job.ClinicName = QStringLiteral("A;B;C;D");
    RecordingPdfWriter w2;
    composeHead(w2, job, JobKind::Soft);
    QVERIFY(w2.findText(QStringLiteral("CLINIC NAME:  A  B  C")));
}

void TestPrescriptionFrame::footerRows_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("row1");
    QTest::addColumn<int>("row2");
    QTest::newRow("high on the page") << 1200 << 2800 << 2860;
    QTest::newRow("2749") << 2749 << 2800 << 2860;
    QTest::newRow("2750") << 2750 << 2850 << 2910;
    QTest::newRow("below") << 2790 << 2890 << 2950;
}

void TestPrescriptionFrame::footerRows()
{
    QFETCH(int, cursor);
    QFETCH(int, row1);
    QFETCH(int, row2);

    TestHome home;
    const ScriptRecord job = sampleJob();
    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.PdfPageNumber = 7;
    doc.PdfCursorY = cursor;
    doc.Draw_Page_Footer(cursor);

    QCOMPARE(row(w, row1, 0), (QStringList{QStringLiteral("200:C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee.Pdf"),
                                           QStringLiteral("1800:Page 7")}));
    QCOMPARE(row(w, row2, 0).size(), 2);
    QCOMPARE(row(w, row2, 0).first(), QStringLiteral("200:SOLVANE Version 2.08"));
    QCOMPARE(w.texts().size(), 4);
    QCOMPARE(doc.PdfPageNumber, 8);
    QCOMPARE(doc.PdfCursorY, cursor);
    QCOMPARE(w.texts().first().size, 10.0);
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_New_Page")).size(), 0);
}

void TestPrescriptionFrame::flowingRowsContinueOnANewPage()
{
    TestHome home;
    const ScriptRecord job = sampleJob();
    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.Begin_Script_Document(QStringLiteral("out.Pdf"), JobKind::Soft);

    // Rows up to 2750 stay; the row that would pass it opens page 2 at 120
    // after page 1 got its footer.
    doc.PdfCursorY = 2701;
    doc.flowRow();
    doc.text(600, QStringLiteral("last on page 1"));
    doc.advance(1); // 2750
    doc.flowRow();
    doc.text(600, QStringLiteral("at the limit"));
    doc.advance(1); // 2799
    doc.flowRow();
    doc.text(600, QStringLiteral("first on page 2"));

    QCOMPARE(w.findText(QStringLiteral("at the limit"))->args, (QVector<int>{600, 2750}));
    QCOMPARE(w.findText(QStringLiteral("at the limit"))->page, 1);
    const Call *next = w.findText(QStringLiteral("first on page 2"));
    QCOMPARE(next->args, (QVector<int>{600, 120}));
    QCOMPARE(next->page, 2);
    // Page 1's footer follows its last row (2750): 2850 and 2910, on the paper.
    QCOMPARE(w.findText(QStringLiteral("Page 1"))->args, (QVector<int>{1800, 2850}));
    QCOMPARE(w.findText(QStringLiteral("Page 1"))->page, 1);
    QCOMPARE(doc.PdfPageNumber, 2);

    // A page whose last row reached the limit closes with a footer that
    // still fits on the paper.
    doc.PdfCursorY = 2750;
    doc.text(600, QStringLiteral("again at the limit"));
    doc.advance(1);
    doc.Draw_Flow_Footer();
    QCOMPARE(w.findText(QStringLiteral("Page 2"))->args, (QVector<int>{1800, 2850}));
}

void TestPrescriptionFrame::imagePages()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.JobImageFile = saveJpeg(home.path(QStringLiteral("Data/clinic/AB0042_Ann_Lee.Jpg")));
    job.LeftGraphicFile = saveJpeg(home.path(QStringLiteral("Data/clinic/Lee_Ann_L.Jpg")));
    job.RightGraphicFile = saveJpeg(home.path(QStringLiteral("Data/clinic/Lee_Ann_R.Jpg")));
    const QString logo = saveJpeg(home.path(QStringLiteral("cliniclogo.jpg"))); // found whatever its case

    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.PdfPageNumber = 3;
    doc.Draw_Instructions_Page();
    doc.Draw_Left_Graphic_Page();
    doc.Draw_Right_Graphic_Page();

    QCOMPARE(w.pageCount(), 3);
    const QList<Call> boxes = w.ofOp(QStringLiteral("Pdf_Text_In_Box"));
    QCOMPARE(boxes.size(), 3);
    QCOMPARE(boxes[0].text, QStringLiteral("Instructions:  Ann Lee"));
    QCOMPARE(boxes[0].size, 14.0);
    QCOMPARE(boxes[1].text, QStringLiteral("LEFT FOOT GRAPHIC:  Ann Lee"));
    QCOMPARE(boxes[1].size, 10.0);
    QCOMPARE(boxes[2].text, QStringLiteral("RIGHT FOOT GRAPHIC:  Ann Lee"));
    for (const Call &b : boxes)
        QCOMPARE(b.args, (QVector<int>{100, 120, 2000, 220, 2, 2}));

    const QList<Call> photos = w.ofOp(QStringLiteral("Pdf_Image_Stretched"));
    QCOMPARE(photos.size(), 3);
    QCOMPARE(photos[0].args, (QVector<int>{100, 320, 2000, 1695}));
    QCOMPARE(photos[0].text, job.JobImageFile);
    QCOMPARE(photos[1].args, (QVector<int>{100, 320, 2000, 2120}));
    QCOMPARE(photos[1].text, job.LeftGraphicFile);
    QCOMPARE(photos[2].text, job.RightGraphicFile);
    for (const Call &p : photos)
        QVERIFY(!p.failed);
    const QList<Call> logos = w.ofOp(QStringLiteral("Pdf_Image"));
    QCOMPARE(logos.size(), 3);
    for (const Call &l : logos) {
        QCOMPARE(l.args, (QVector<int>{360, 2200}));
        QCOMPARE(l.text, logo);
        QVERIFY(!l.failed);
    }
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_Set_Image_Option")).size(), 3);
    for (int page = 1; page <= 3; ++page) {
        const QStringList footer = row(w, 2800, page);
        QCOMPARE(footer.value(1), QStringLiteral("1800:Page %1").arg(page + 2));
        QCOMPARE(row(w, 2860, page).size(), 2);
    }
}

void TestPrescriptionFrame::missingImagesLeaveTheirAreaEmpty()
{
    TestHome home; // no logo either
    ScriptRecord job = sampleJob();
    job.LeftGraphicFile = home.path(QStringLiteral("Data/clinic/Gone_L.Jpg"));
    job.RightGraphicFile = saveJpeg(home.path(QStringLiteral("Data/clinic/Lee_Ann_R.Jpg")));
    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.Draw_Left_Graphic_Page();
    doc.Draw_Right_Graphic_Page();

    QCOMPARE(w.pageCount(), 2);
    const QList<Call> photos = w.ofOp(QStringLiteral("Pdf_Image_Stretched"));
    QVERIFY(photos[0].failed);
    QVERIFY(!photos[1].failed);
    QVERIFY(w.ofOp(QStringLiteral("Pdf_Image"))[0].failed);
    QVERIFY(w.findText(QStringLiteral("Page 1"), 1));
    QVERIFY(w.findText(QStringLiteral("Page 2"), 2));
}

void TestPrescriptionFrame::pageSequences_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("document");
    QTest::addColumn<QString>("images"); // which of L, R, I exist
    QTest::addColumn<QString>("pages"); // P prescription, O other information, L, R, I

    const int soft = int(JobKind::Soft), rigid = int(JobKind::Rigid);
    const int submit = int(PdfCommand::SubmitJob), local = int(PdfCommand::SaveJobLocally),
              script = int(PdfCommand::SaveScript);
    const int mainDoc = int(PdfDocument::Main), full = int(PdfDocument::Full);
    for (int kind : {soft, rigid}) {
        const QByteArray k = kind == soft ? "soft " : "rigid ";
        QTest::newRow(k + "submit main") << kind << submit << mainDoc << "LRI"
                                         << "P";
        QTest::newRow(k + "submit _L") << kind << submit << full << "LRI"
                                       << "POLRI";
        QTest::newRow(k + "local main") << kind << local << mainDoc << "LRI"
                                        << "PO";
        QTest::newRow(k + "local _L") << kind << local << full << "LRI"
                                      << "POLRI";
        QTest::newRow(k + "script main") << kind << script << mainDoc << "LRI"
                                         << "PO";
        QTest::newRow(k + "script _L") << kind << script << full << "LRI"
                                       << "POILR";
        QTest::newRow(k + "submit _L, right only") << kind << submit << full << "R"
                                                   << "POR";
        QTest::newRow(k + "script _L, no images") << kind << script << full << ""
                                                  << "PO";
    }
}

void TestPrescriptionFrame::pageSequences()
{
    QFETCH(int, kind);
    QFETCH(int, command);
    QFETCH(int, document);
    QFETCH(QString, images);
    QFETCH(QString, pages);

    TestHome home;
    ScriptRecord job = sampleJob();
    job.LeftGraphicFile = images.contains(u'L') ? saveJpeg(home.path(QStringLiteral("L.Jpg"))) : QStringLiteral("None");
    job.RightGraphicFile =
        images.contains(u'R') ? saveJpeg(home.path(QStringLiteral("R.Jpg"))) : QStringLiteral("none");
    job.JobImageFile = images.contains(u'I') ? saveJpeg(home.path(QStringLiteral("I.Jpg"))) : QString();

    RecordingPdfWriter w;
    const ScriptPdfRequest request{JobKind(kind), PdfCommand(command), {}};
    Compose_Script_PDF(w, job, request, PdfDocument(document), QStringLiteral("target.Pdf"));

    QVERIFY(w.ended());
    QCOMPARE(w.fileName(), QStringLiteral("target.Pdf"));
    QCOMPARE(w.pageCount(), pages.size());
    QString drawn = QStringLiteral("P");
    for (const Call &box : w.ofOp(QStringLiteral("Pdf_Text_In_Box"))) {
        if (box.page == 1)
            continue; // the title band
        drawn += box.text.startsWith(QLatin1String("OTHER"))   ? u'O'
                 : box.text.startsWith(QLatin1String("LEFT"))  ? u'L'
                 : box.text.startsWith(QLatin1String("RIGHT")) ? u'R'
                                                               : u'I';
    }
    QCOMPARE(drawn, pages);
    // Every page ends with its own footer, numbered from 1, and carries the
    // main document's path.
    for (int page = 1; page <= pages.size(); ++page) {
        const Call *number = w.findText(QStringLiteral("Page %1").arg(page), page);
        QVERIFY2(number, qPrintable(QString::number(page)));
        QVERIFY(w.findText(Record_Path(job.PdfFile), page));
    }
}

void TestPrescriptionFrame::failureAbortsTheDocument()
{
    TestHome home;
    const ScriptRecord job = sampleJob();
    RecordingPdfWriter w;
    w.failOn(QStringLiteral("Pdf_Text"), 12);
    const ScriptPdfRequest request{JobKind::Soft, PdfCommand::SaveScript, {}};
    QVERIFY_THROWS_EXCEPTION(SolvaneError,
                             Compose_Script_PDF(w, job, request, PdfDocument::Main, QStringLiteral("t.Pdf")));
    QVERIFY(w.aborted());
    QVERIFY(!w.ended());
    QCOMPARE(w.texts().size(), 12); // nothing was drawn after the failure

    RecordingPdfWriter end;
    end.failOn(QStringLiteral("Pdf_End_Document"));
    QVERIFY_THROWS_EXCEPTION(SolvaneError,
                             Compose_Script_PDF(end, job, request, PdfDocument::Main, QStringLiteral("t.Pdf")));
    QVERIFY(end.aborted());
}

QTEST_MAIN(TestPrescriptionFrame)
#include "tst_prescriptionframe.moc"
