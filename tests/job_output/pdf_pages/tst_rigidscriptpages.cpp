#include "clock.h"
#include "documentfixtures.h"
#include "prescriptiondocument.h"
#include "recordingpdfwriter.h"
#include "rigidscriptpages.h"
#include "scriptpdfs.h"
#include "testhome.h"

#include <QtTest>

using Call = RecordingPdfWriter::Call;

namespace {

ScriptRecord rigidJob()
{
    ScriptRecord j = sampleJob();
    j.ShellStyleL = QStringLiteral("Sport Shell");
    j.ShellStyleR = QStringLiteral("Dress Shell");
    j.ShellMaterialL = QStringLiteral("Polypro 3mm");
    j.ShellMaterialR = QStringLiteral("Polypro 4mm");
    j.ShellLengthL = QStringLiteral("Standard");
    j.ShellLengthR = QStringLiteral("Sulcus");
    j.HeelWidthL = QStringLiteral("62");
    j.HeelWidthR = QStringLiteral("63");
    j.ForefootWidthL = QStringLiteral("88");
    j.PeakArchHeightR = QStringLiteral("19");
    j.HeelCupMedialL = QStringLiteral("14");
    j.HeelCupLateralR = QStringLiteral("12");
    j.ArchHeightMedialL = QStringLiteral("20");
    j.ArchHeightLateralR = QStringLiteral("9");
    j.SkiveDistanceL = 0;
    j.SkiveDistanceR = 2;
    j.SkiveAngleL = QStringLiteral("7.50");
    j.HeelLiftR = 3;
    j.ArchFillL = 1.25;
    j.TopCoverBaseL = QStringLiteral("EVA");
    j.TopCoverBaseR = QStringLiteral("Cork");
    j.FootLengthL = 245;
    j.TemplateLengthR = 270.05;
    j.ForefootVarusL = QStringLiteral("5");
    j.ForefootVarusR = QString();
    j.ForefootValgusL = QStringLiteral("some");
    j.HeelApertureL = 0;
    j.HeelApertureR = 2.5;
    j.EvaMortonExtensionL = -1;
    j.ForefootVarusWedgeR = 0.1;
    j.LateralBorderPostL = 45;
    j.ContouredArchFillR = true;
    j.AdditionalForefootPaddingL = QStringLiteral("Poron");
    j.AdditionalHeelPaddingR = QStringLiteral("Gel");
    return j;
}

void drawPage(RecordingPdfWriter &w, const ScriptRecord &job)
{
    PrescriptionDocument doc(w, job);
    Begin_Rigid_Script_PDF(doc, QStringLiteral("out.Pdf"));
}

} // namespace

class TestRigidScriptPages : public QObject
{
    Q_OBJECT

private slots:
    void shellTableRowsAndFrame();
    void reprocessedLineMovesTheTable();
    void coversOptionsAndNotes();
    void longNotesContinueOnANewPage();
    void labelsNeverRunIntoTheirValues_data();
    void labelsNeverRunIntoTheirValues();
    void otherInformationPage();
};

void TestRigidScriptPages::shellTableRowsAndFrame()
{
    TestHome home;
    RecordingPdfWriter w;
    drawPage(w, rigidJob());

    QVERIFY(w.findText("  BRENNICK  RIGID  PRESCRIPTION") == nullptr); // it is a boxed title
    QCOMPARE(w.ofOp("Pdf_Text_In_Box").first().text, QStringLiteral("  BRENNICK  RIGID  PRESCRIPTION"));
    QVERIFY(!w.findText("This Job is Reprocessed from Job: "));
    QCOMPARE(row(w, 639), (QStringList{"250:ITEM", "1000:LEFT", "1500:RIGHT"}));

    const QList<QStringList> rows{
        {"712", "SHELL STYLE", "Sport Shell", "Dress Shell"},
        {"761", "SHELL MATERIAL", "Polypro 3mm", "Polypro 4mm"},
        {"834", "SHELL MEASUREMENTS"},
        {"908", "Shell Length", "Standard", "Sulcus"},
        {"957", "Heel Width", "62", "63"},
        {"1006", "Forefoot Width", "88", ""},
        {"1055", "Peak Arch Height", "", "19"},
        {"1104", "Medial Heel Cup Height", "14", ""},
        {"1153", "Lateral Heel Cup Height", "", "12"},
        {"1202", "Medial Arch Height", "20", ""},
        {"1251", "Lateral Arch Height", "", "9"},
        {"1324", "ADDITIONS & DEFLECTIONS"},
        {"1373", "PFA", "PfaL", "PfaR"},
        {"1422", "Heel Skive Depth", "0.0", "2.0"},
        {"1471", "Heel Skive Angle", "7.50", "7.5"},
        {"1544", "Heel Lift", "3.0", "3.0"},
        {"1593", "Arch Fill", "1.3", "0.0"},
    };
    for (const QStringList &r : rows) {
        QStringList want{"200:" + r[1]};
        if (r.size() > 2)
            want << "950:" + r[2] << "1450:" + r[3];
        QCOMPARE(row(w, r[0].toInt()), want);
    }

    // Top rule 1.5 lines below the "PODIATRIST:" row (590.5 goes to 590),
    // bottom rule two below "Arch Fill", the line at 1400 exactly between.
    const QList<Call> moves = w.ofOp("Pdf_Move_To");
    const QList<Call> lines = w.ofOp("Pdf_Line_To");
    QCOMPARE(moves[0].args, (QVector<int>{200, 590}));
    QCOMPARE(moves[1].args, (QVector<int>{200, 1691}));
    QCOMPARE(moves[2].args, (QVector<int>{1400, 590}));
    QCOMPARE(lines[2].args, (QVector<int>{1400, 1691}));
}

void TestRigidScriptPages::reprocessedLineMovesTheTable()
{
    TestHome home;
    ScriptRecord job = rigidJob();
    job.ReprocessedFromJob = QStringLiteral("AB0007");
    RecordingPdfWriter w;
    drawPage(w, job);
    const Call *note = w.findText("This Job is Reprocessed from Job: AB0007");
    QVERIFY(note);
    QCOMPARE(note->args, (QVector<int>{200, 566}));
    QVERIFY(note->bold);
    QCOMPARE(w.ofOp("Pdf_Move_To").first().args, (QVector<int>{200, 640})); // 639.5 goes to 640
    QVERIFY(!w.findText("SHELL STYLE")->bold);
}

void TestRigidScriptPages::coversOptionsAndNotes()
{
    TestHome home;
    ScriptRecord job = rigidJob();
    job.Notes = QString(200, u'x').replace(80, 1, u'y').replace(160, 1, u'z') + QStringLiteral("\r\nmore");
    RecordingPdfWriter w;
    drawPage(w, job);

    QCOMPARE(row(w, 1740), (QStringList{"200:TOP COVER LEFT", "650:Poly,Foam"}));
    QCOMPARE(row(w, 1838), (QStringList{"200:TOP COVER RIGHT", "650:Vinyl"}));
    QCOMPARE(row(w, 1887), (QStringList{"200:TOP COVER (BASE) LEFT", "650:EVA"}));
    // This label reaches past the value's column: the value starts one blank after it.
    const QList<Call> base = w.textsAt(1985, 1);
    QCOMPARE(base.size(), 2);
    QCOMPARE(base[0].text, QStringLiteral("TOP COVER (BASE) RIGHT"));
    QCOMPARE(base[1].text, QStringLiteral("Cork"));
    QVERIFY(base[1].x() > 650);
    QCOMPARE(base[1].x(), reachWithBlank(base[0]));
    QCOMPARE(row(w, 2083), (QStringList{"200:INSOLE OPTIONS LEFT", "650:A1"}));
    QCOMPARE(row(w, 2181), QStringList{"650:C3"});
    QCOMPARE(row(w, 2279), (QStringList{"200:INSOLE OPTIONS RIGHT", "650:Wide"}));
    QCOMPARE(w.ofOp("Pdf_Move_To")[3].args, (QVector<int>{200, 2377}));
    // One line of 200 characters and the folded line break: 80, 80, 40.
    const QString notes = Fold_Line_Breaks(job.Notes);
    QCOMPARE(row(w, 2475), (QStringList{"200:NOTES", "600:" + notes.left(80)}));
    QCOMPARE(row(w, 2524), QStringList{"600:" + notes.mid(80, 80)});
    QCOMPARE(row(w, 2573), QStringList{"600:" + notes.mid(160)});
    QVERIFY(notes.mid(160).endsWith(QLatin1String(",more")));
    QCOMPARE(w.findText("Page 1")->y(), 2800);
    QCOMPARE(w.pageCount(), 1);

    // An empty list still takes one row.
    job.InsoleOptionsL.clear();
    RecordingPdfWriter w2;
    drawPage(w2, job);
    QCOMPARE(row(w2, 2083), (QStringList{"200:INSOLE OPTIONS LEFT", "650:"}));
    QCOMPARE(row(w2, 2181).first(), QStringLiteral("200:INSOLE OPTIONS RIGHT"));
}

void TestRigidScriptPages::longNotesContinueOnANewPage()
{
    TestHome home;
    ScriptRecord job = rigidJob();
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("Rigid note %1").arg(i);
    job.Notes = lines.join(u';');

    RecordingPdfWriter w;
    Compose_Script_PDF(w, job, ScriptPdfRequest{JobKind::Rigid, PdfCommand::SubmitJob, {}}, PdfDocument::Main,
                       QStringLiteral("out.Pdf"));
    QVERIFY(w.ended());
    QCOMPARE(w.pageCount(), 2);
    for (int i = 0; i < lines.size(); ++i) {
        const Call *c = w.findText(lines[i]);
        QVERIFY(c);
        QCOMPARE(c->page, i < 6 ? 1 : 2);
        QCOMPARE(c->y(), i < 6 ? 2475 + 49 * i : 120 + 49 * (i - 6));
    }
    QCOMPARE(w.findText("Page 1")->y(), 2800);
    QCOMPARE(w.findText("Page 2")->page, 2);
    QCOMPARE(w.ofOp("Pdf_Set_Page_Option").last().page, 2);
}

void TestRigidScriptPages::labelsNeverRunIntoTheirValues_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("command");
    QTest::newRow("rigid, submitted") << int(JobKind::Rigid) << int(PdfCommand::SubmitJob);
    QTest::newRow("rigid, saved script") << int(JobKind::Rigid) << int(PdfCommand::SaveScript);
    QTest::newRow("soft, submitted") << int(JobKind::Soft) << int(PdfCommand::SubmitJob);
}

void TestRigidScriptPages::labelsNeverRunIntoTheirValues()
{
    QFETCH(int, kind);
    QFETCH(int, command);
    TestHome home;
    bool otherInformation = false;
    for (const PdfDocument document : {PdfDocument::Main, PdfDocument::Full}) {
        RecordingPdfWriter w;
        Compose_Script_PDF(w, rigidJob(), ScriptPdfRequest{JobKind(kind), PdfCommand(command), {}}, document,
                           QStringLiteral("out.Pdf"));
        otherInformation = otherInformation || w.findText(QStringLiteral("PATIENT FILE NO:"));
        const QStringList offenders = runTogether(w);
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1String("; "))));
    }
    QVERIFY(otherInformation);
}

void TestRigidScriptPages::otherInformationPage()
{
    TestHome home;
    Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(8, 5, 0)); });
    ScriptRecord job = rigidJob();
    job.LeftGraphicFile = QStringLiteral("None");
    job.RightScanFile = Paths::root() + QStringLiteral("/Data/clinic/a very long folder name/Lee_Ann_R.Stl");

    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.PdfLineSpacing = 49;
    doc.PdfPageNumber = 2;
    Draw_Rigid_Other_Info(doc);
    Clock::setSource({});

    QCOMPARE(w.ofOp("Pdf_Text_In_Box").first().text, QStringLiteral("OTHER INFORMATION"));
    const QList<QStringList> rows{
        {"267", "200:CLIENT NAME:", "700:Ann Lee"},
        {"316", "200:PATIENT FILE NO:"},
        {"463", "250:ITEM", "700:LEFT", "1300:RIGHT"},
        {"561", "200:Shell Style", "700:Sport Shell", "1300:Dress Shell"},
        {"610", "200:Foot Size", "700:7", "1300:7.5"},
        {"659", "200:Foot Length", "700:245.0", "1300:0.0"},
        {"708", "200:Template Length", "700:0.0", "1300:270.1"},
        {"757", "200:Forefoot Varus", "700:5.0", "1300:"},
        {"806", "200:Forefoot Valgus", "700:some", "1300:"},
        {"855", "200:Heel to 1st MPJ Length", "700:95.0", "1300:long"},
        {"904", "200:Heel to Dot Length", "700:150.0", "1300:0.0"},
        {"953", "200:Scan Position", "700:-4", "1300:2"},
        {"1002", "200:Metdomes", "700:0", "1300:Small"},
        {"1051", "200:Metpads", "700:Pad", "1300:0"},
        {"1100", "200:Heel Aperture", "700:0", "1300:2.5"},
        {"1149", "200:EVA Morton's Extension", "700:-1", "1300:0"},
        {"1198", "200:Reverse Morton's Extension", "700:0", "1300:0"},
        {"1247", "200:Forefoot Valgus Wedge", "700:0", "1300:0"},
        {"1296", "200:Forefoot Varus Wedge", "700:0", "1300:0.1"},
        {"1345", "200:PPT Cuboid Notch", "700:0", "1300:0"},
        {"1394", "200:EVA Arch Fill", "700:False", "1300:False"},
        {"1443", "200:Contoured Arch Fill", "700:False", "1300:True"},
        {"1492", "200:Flat Arch Fill", "700:False", "1300:False"},
        {"1541", "200:Lateral Border Post", "700:45", "1300:0"},
        {"1590", "200:Additional Forefoot Padding", "700:Poron", "1300:"},
        {"1639", "200:Additional Heel Padding", "700:", "1300:Gel"},
        {"1835", "200:Current Date", "700:Tuesday, Dec 8  2026", "1200:08:05:00"},
        {"1884", "200:Left Scan", "700:01/03/2026", "1000:09:10:11"},
        {"1933", "200:Right Scan", "700:02/03/2026", "1000:10:11:12"},
        {"2031", "200:PDF File Name", "700:C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee.Pdf"},
        {"2129", "200:Left Scan File Name", "700:C:\\3DEriruvu\\Data\\clinic\\Lee_Ann_L.Wrl"},
        {"2178", "200:Right Scan File Name", "700:C:\\3DEriruvu\\Data\\clinic\\a very long folder name\\Lee_Ann_R.Stl"},
        {"2276", "200:Left Graphic File Name", "700:None"},
        {"2325", "200:Right Graphic File Name", "700:None"},
        {"2423", "200:Left LCF File Name", "700:C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee_L.Lcf"},
        {"2472", "200:Right LCF File Name", "700:C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee_R.Lcf"},
    };
    for (const QStringList &r : rows)
        QCOMPARE(row(w, r[0].toInt()), r.mid(1));
    QCOMPARE(w.ofOp("Pdf_Move_To").first().args, (QVector<int>{200, 1737}));
    QCOMPARE(row(w, 2800).last(), QStringLiteral("1800:Page 2"));
    QCOMPARE(doc.PdfCursorY, 2472);
}

QTEST_MAIN(TestRigidScriptPages)
#include "tst_rigidscriptpages.moc"
