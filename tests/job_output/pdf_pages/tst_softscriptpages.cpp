#include "clock.h"
#include "documentfixtures.h"
#include "prescriptiondocument.h"
#include "recordingpdfwriter.h"
#include "scriptpdfs.h"
#include "softscriptpages.h"
#include "testhome.h"

#include <QtTest>

using Call = RecordingPdfWriter::Call;

namespace {

void drawPage(RecordingPdfWriter &w, const ScriptRecord &job, const ScanPositionOptions &pos = {})
{
    PrescriptionDocument doc(w, job);
    Begin_EVA_Script_PDF(doc, QStringLiteral("out.Pdf"), pos);
}

} // namespace

class TestSoftScriptPages : public QObject
{
    Q_OBJECT

private slots:
    void valueRules_data();
    void valueRules();
    void tablesPutEachValueInItsCell();
    void zeroJobPrintsTheDefaults();
    void reprocessedNoteIsBoldAndMovesTheTables();
    void coversOptionsNotesAndWidths();
    void longNotesContinueOnANewPage();
    void otherInformationPage();
    void lineBreaksAreFoldedIntoTheJob();
};

void TestSoftScriptPages::valueRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("D1 rounds half away") << "d1"
                                         << "2.25"
                                         << "2.3";
    QTest::newRow("D1 zero") << "d1"
                             << "0"
                             << "0.0";
    QTest::newRow("D1 never -0.0") << "d1"
                                   << "-0.04"
                                   << "0.0";
    QTest::newRow("D1 unless 0, zero") << "d1u"
                                       << "0"
                                       << "";
    QTest::newRow("D1 unless 0, small") << "d1u"
                                        << "0.01"
                                        << "0.0";
    QTest::newRow("D1 unless 0, negative") << "d1u"
                                           << "-1.45"
                                           << "-1.5";
    QTest::newRow("T unless \"0\", 0") << "t0"
                                       << "0"
                                       << "";
    QTest::newRow("T unless \"0\", 0.0 stays") << "t0"
                                               << "0.0"
                                               << "0.0";
    QTest::newRow("T unless 0, 0.0") << "tn"
                                     << "0.0"
                                     << "";
    QTest::newRow("T unless 0, word") << "tn"
                                      << "wide"
                                      << "";
    QTest::newRow("T unless 0, unformatted") << "tn"
                                             << "7.50"
                                             << "7.50";
    QTest::newRow("wedge lateral, empty") << "wl"
                                          << ""
                                          << "0.0";
    QTest::newRow("wedge lateral, positive") << "wl"
                                             << "3"
                                             << "3.0";
    QTest::newRow("wedge lateral, negative") << "wl"
                                             << "-2.5"
                                             << "";
    QTest::newRow("wedge medial, negative") << "wm"
                                            << "-2.5"
                                            << "2.5";
    QTest::newRow("wedge medial, tiny negative") << "wm"
                                                 << "-0.01"
                                                 << "0.0";
    QTest::newRow("wedge medial, positive") << "wm"
                                            << "3"
                                            << "";
    QTest::newRow("T1 number") << "t1"
                               << "95"
                               << "95.0";
    QTest::newRow("T1 word") << "t1"
                             << "long"
                             << "long";
    QTest::newRow("T1 empty") << "t1"
                              << ""
                              << "";
}

void TestSoftScriptPages::valueRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    using namespace softcell;
    QString got;
    if (rule == QLatin1String("d1"))
        got = d1(input.toDouble());
    else if (rule == QLatin1String("d1u"))
        got = d1UnlessZero(input.toDouble());
    else if (rule == QLatin1String("t0"))
        got = textUnlessZeroText(input);
    else if (rule == QLatin1String("tn"))
        got = textUnlessZero(input);
    else if (rule == QLatin1String("wl"))
        got = wedgeLateral(input);
    else if (rule == QLatin1String("wm"))
        got = wedgeMedial(input);
    else
        got = t1(input);
    QCOMPARE(got, expected);
}

void TestSoftScriptPages::tablesPutEachValueInItsCell()
{
    TestHome home;
    RecordingPdfWriter w;
    ScanPositionOptions pos;
    pos.leftE = true;
    pos.leftI = true; // "E" wins
    drawPage(w, sampleJob(), pos);

    QCOMPARE(row(w, 566), (QStringList{"200:ORTHOTIC STYLE", "550:Sport"}));
    // The top rule 1.5 lines below the style row (639.5 goes to 640).
    QCOMPARE(w.ofOp("Pdf_Move_To").first().args, (QVector<int>{200, 640}));
    QCOMPARE(row(w, 689), (QStringList{"250:ITEM", "650:LEFT", "850:RIGHT", "1150:ITEM", "1500:LEFT", "1700:RIGHT"}));

    const QList<QStringList> expected{
        {"TEMPLATE", "T7L", "T7R", "PFA", "PfaL", "PfaR"},
        {"DENSITY", "Medium", "Firm", "METDOME", "", "Small"},
        {"SCAN POSITION", "-4 E", "2", "METPAD", "Pad", ""},
        {"SKIVE DISTANCE", "12.0", "", "ARCH FILL", "1.0", ""},
        {"SKIVE ANGLE", "", "7.5", "LAT ARCH FILL", "", "2.0"},
        {"THICKNESS", "3.0", "4.3", "ARCH HEIGHT", "18.0", ""},
        {"INVERSION RAMP", "2.0", "", "HEEL CUP", "", "14.0"},
        {"EVERSION RAMP", "", "1.5", "HEEL LIFT", "3.0", ""},
        {"MET WEDGE LAT", "", "3.0", "FF VARUS", "5", ""},
        {"MET WEDGE MED", "2.5", "", "FF VALGUS", "2", ""},
        {"RF POST MED", "4.0", "", "HEEL-DOT LENGTH", "150", ""},
        {"RF POST LAT", "", "0.0", "VARUS LENGTH", "95.0", "long"},
    };
    const int firstRow = 762; // 689 + 73.5 goes to the even 762
    for (int i = 0; i < expected.size(); ++i) {
        const QStringList &e = expected[i];
        const QStringList want{"200:" + e[0],  "650:" + e[1],  "850:" + e[2],
                               "1100:" + e[3], "1500:" + e[4], "1700:" + e[5]};
        QCOMPARE(row(w, firstRow + 49 * i), want);
    }

    // The bottom rule two lines below row 12, joined to the top one at 1050.
    const QList<Call> moves = w.ofOp("Pdf_Move_To");
    const QList<Call> lines = w.ofOp("Pdf_Line_To");
    QCOMPARE(moves[1].args, (QVector<int>{200, 1399}));
    QCOMPARE(lines[1].args, (QVector<int>{1900, 1399}));
    QCOMPARE(moves[2].args, (QVector<int>{1050, 640}));
    QCOMPARE(lines[2].args, (QVector<int>{1050, 1399}));

    ScanPositionOptions inner;
    inner.leftI = true;
    inner.rightE = true;
    RecordingPdfWriter w2;
    drawPage(w2, sampleJob(), inner);
    QCOMPARE(row(w2, firstRow + 98).mid(0, 3), (QStringList{"200:SCAN POSITION", "650:-4 I", "850:2 E"}));
}

void TestSoftScriptPages::zeroJobPrintsTheDefaults()
{
    TestHome home;
    ScriptRecord job;
    job.MetaWedgeL = QStringLiteral("0");
    job.Notes = QStringLiteral("None");
    job.PdfFile = QStringLiteral("None");
    RecordingPdfWriter w;
    drawPage(w, job);

    // The two value cells of a table row: 450 and 650 right of a left-table
    // label, 400 and 600 right of a right-table one.
    const auto cells = [&](const char *label) {
        const Call *c = w.findText(QLatin1String(label));
        const int leftX = c->x() == 200 ? 650 : 1500;
        QStringList out;
        for (const Call &t : w.textsAt(c->y(), 1))
            if (t.x() == leftX || t.x() == leftX + 200)
                out << t.text;
        return out;
    };
    QCOMPARE(cells("THICKNESS"), (QStringList{"0.0", "0.0"}));
    QCOMPARE(cells("MET WEDGE LAT"), (QStringList{"0.0", "0.0"}));
    QCOMPARE(cells("MET WEDGE MED"), (QStringList{"", ""}));
    QCOMPARE(cells("SKIVE DISTANCE"), (QStringList{"", ""}));
    QCOMPARE(cells("ARCH FILL"), (QStringList{"", ""}));
    QCOMPARE(cells("VARUS LENGTH"), (QStringList{"", ""}));
    const Call *notes = w.findText("NOTES");
    QCOMPARE(row(w, notes->y()), (QStringList{"200:NOTES", "600:None"}));
    for (const Call &c : w.texts())
        QVERIFY2(!c.text.contains(QLatin1String("-0.0")), qPrintable(c.text));
}

void TestSoftScriptPages::reprocessedNoteIsBoldAndMovesTheTables()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.ReprocessedFromJob = QStringLiteral("AB0007");
    RecordingPdfWriter w;
    drawPage(w, job);
    const Call *note = w.findText("This Job is Reprocessed from Job: AB0007");
    QVERIFY(note);
    QCOMPARE(note->args, (QVector<int>{200, 615}));
    QVERIFY(note->bold);
    QCOMPARE(w.ofOp("Pdf_Move_To").first().args, (QVector<int>{200, 688})); // 688.5 goes to the even 688
    QVERIFY(!w.findText("TEMPLATE")->bold);
}

void TestSoftScriptPages::coversOptionsNotesAndWidths()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    job.Notes = QString(170, u'n').replace(80, 1, u'm') + QStringLiteral(";Second line");
    job.HeelWidthR = QStringLiteral("wide");
    job.InsertHeightL = 2.5;
    RecordingPdfWriter w;
    drawPage(w, job);

    QCOMPARE(row(w, 1448), (QStringList{"200:TOP COVER LEFT", "650:Poly,Foam"}));
    QCOMPARE(row(w, 1497), (QStringList{"200:TOP COVER RIGHT", "650:Vinyl"}));
    // Three options: the first on the label's row, then one empty row.
    QCOMPARE(row(w, 1595), (QStringList{"200:INSOLE OPTIONS LEFT", "650:A1"}));
    QCOMPARE(row(w, 1644), QStringList{"650:B2"});
    QCOMPARE(row(w, 1693), QStringList{"650:C3"});
    QCOMPARE(row(w, 1742), QStringList{});
    QCOMPARE(row(w, 1791), (QStringList{"200:INSOLE OPTIONS RIGHT", "650:Wide"}));
    QCOMPARE(w.ofOp("Pdf_Move_To")[3].args, (QVector<int>{200, 1889}));
    // 170 characters: pieces of 80, 80 and 10, then the next line.
    QCOMPARE(row(w, 1938), (QStringList{"200:NOTES", "600:" + job.Notes.left(80)}));
    QCOMPARE(row(w, 1987), QStringList{"600:" + job.Notes.mid(80, 80)});
    QCOMPARE(row(w, 2036), QStringList{"600:" + job.Notes.mid(160, 10)});
    QCOMPARE(row(w, 2085), QStringList{"600:Second line"});
    // One empty row after the notes; only the rows that hold a value.
    QCOMPARE(row(w, 2183), (QStringList{"650:Heel Width", "1100:", "1500:WIDE"}));
    QCOMPARE(row(w, 2232), (QStringList{"650:Insert Height", "1100:2.5", "1500:0.0"}));
    QVERIFY(!w.findText("Forefoot Width"));
    QVERIFY(!w.findText("Midfoot Width"));
    QVERIFY(!w.findText("Insert Length"));
    QCOMPARE(w.findText("Page 1")->args, (QVector<int>{1800, 2800}));
    QCOMPARE(w.pageCount(), 1);

    // A list without ";" is one item; a last rest of one character ends it.
    job.InsoleOptionsL = QStringLiteral("A1;B2;C");
    job.InsoleOptionsR = QStringLiteral("Whole text");
    RecordingPdfWriter w2;
    drawPage(w2, job);
    QCOMPARE(row(w2, 1644), QStringList{"650:B2"});
    QCOMPARE(row(w2, 1742), (QStringList{"200:INSOLE OPTIONS RIGHT", "650:Whole text"}));
}

void TestSoftScriptPages::longNotesContinueOnANewPage()
{
    TestHome home;
    ScriptRecord job = sampleJob();
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("Note line %1").arg(i);
    job.Notes = lines.join(u';');
    job.MidfootWidthL = QStringLiteral("narrow");

    RecordingPdfWriter w;
    Compose_Script_PDF(w, job, ScriptPdfRequest{JobKind::Soft, PdfCommand::SaveScript, {}}, PdfDocument::Main,
                       QStringLiteral("out.Pdf"));

    QCOMPARE(w.pageCount(), 3);
    // Notes from 1938 on page 1, 49 apart, the last one at 2722; the 18th
    // would pass 2750 and opens page 2 at 120.
    for (int i = 0; i < 30; ++i) {
        const Call *c = w.findText(lines[i]);
        QVERIFY2(c, qPrintable(lines[i]));
        if (i < 17) {
            QCOMPARE(c->page, 1);
            QCOMPARE(c->y(), 1938 + 49 * i);
        } else {
            QCOMPARE(c->page, 2);
            QCOMPARE(c->y(), 120 + 49 * (i - 17));
        }
    }
    QCOMPARE(w.findText("Page 1")->page, 1);
    QCOMPARE(w.findText("Page 1")->y(), 2800);
    // After the notes, the widths go on on page 2, then its footer.
    const Call *midfoot = w.findText("Midfoot Width");
    QCOMPARE(midfoot->page, 2);
    QCOMPARE(midfoot->y(), 120 + 49 * 13 + 49);
    QCOMPARE(w.findText("Page 2")->page, 2);
    QCOMPARE(w.findText("Page 3")->page, 3);
    QCOMPARE(w.ofOp("Pdf_Text_In_Box").last().page, 3);
    // Nothing but footers below the last row on any page.
    for (const Call &c : w.texts())
        if (c.y() > PrescriptionDocument::LastRowY)
            QVERIFY2(c.y() == 2800 || c.y() == 2860, qPrintable(c.text));
}

void TestSoftScriptPages::otherInformationPage()
{
    TestHome home;
    Clock::setSource([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });
    ScriptRecord job = sampleJob();
    job.ClientFirstName.clear();
    job.InsertHeightL = 0.01;
    job.InsertLengthR = 7;
    job.HeelWidthL = QStringLiteral("wide");
    job.MidfootWidthL = QStringLiteral("narrow");
    job.ForefootWidthR = QStringLiteral("Std");
    job.LeftScanFile = QStringLiteral("None");
    job.RightScanFile = QStringLiteral("scan_only.Stl");
    job.LeftGraphicFile = QStringLiteral("/elsewhere/photos/left.Jpg");

    RecordingPdfWriter w;
    PrescriptionDocument doc(w, job);
    doc.PdfLineSpacing = 49;
    doc.PdfPageNumber = 2;
    Draw_EVA_Other_Info(doc);
    Clock::setSource({});

    QCOMPARE(w.pageCount(), 1); // one new page (the recording writer had none before)
    const Call box = w.ofOp("Pdf_Text_In_Box").first();
    QCOMPARE(box.text, QStringLiteral("OTHER INFORMATION"));
    QCOMPARE(box.args, (QVector<int>{100, 120, 2000, 220, 2, 2}));
    QCOMPARE(box.size, 14.0);

    const QList<QStringList> rows{
        {"267", "200:CLIENT NAME:", "700: Lee"},
        {"316", "200:PATIENT FILE NO:"},
        {"463", "250:ITEM", "700:LEFT", "1300:RIGHT"},
        {"561", "200:Orthotic Style", "700:Sport", "1300:Dress"},
        {"610", "200:Foot Size", "700:7", "1300:7.5"},
        {"659", "200:Insert Height", "700:0.0", "1300:"},
        {"708", "200:Insert Length", "700:", "1300:7.0"},
        {"757", "200:Heel Width", "700:wide", "1300:"},
        {"806", "200:Midfoot Width", "700:NARROW", "1300:"},
        {"855", "200:Forefoot Width", "700:", "1300:Std"},
        {"1051", "200:Current Date", "700:Thursday, Mar 5  2026", "1200:14:07:09"},
        {"1100", "200:Left Scan", "700:01/03/2026", "1000:09:10:11"},
        {"1149", "200:Right Scan", "700:02/03/2026", "1000:10:11:12"},
        {"1247", "200:PDF File Name", "700:AB0042_Ann_Lee.Pdf"},
        {"1296", "720:C:\\3DEriruvu\\Data\\clinic\\"},
        {"1394", "200:Left Scan File Name", "700:None"},
        {"1443", "720:"},
        {"1541", "200:Right Scan File Name", "700:scan_only.Stl"},
        {"1590", "720:"},
        {"1688", "200:Left Graphic File Name", "700:left.Jpg"},
        {"1737", "720:/elsewhere/photos/"},
        {"1835", "200:Right Graphic File Name", "700:None"},
        {"1982", "200:Left LCF File Name", "700:AB0042_Ann_Lee_L.Lcf"},
        {"2129", "200:Right LCF File Name", "700:AB0042_Ann_Lee_R.Lcf"},
        {"2178", "720:C:\\3DEriruvu\\Data\\clinic\\"},
    };
    for (const QStringList &r : rows)
        QCOMPARE(row(w, r[0].toInt()), r.mid(1));
    QCOMPARE(w.ofOp("Pdf_Move_To").first().args, (QVector<int>{200, 953}));
    QCOMPARE(row(w, 2800), (QStringList{"200:C:\\3DEriruvu\\Data\\clinic\\AB0042_Ann_Lee.Pdf", "1800:Page 2"}));
    QCOMPARE(doc.PdfCursorY, 2178);
    for (const Call &c : w.texts())
        QVERIFY(!c.bold && c.font == QLatin1String("Arial") && (c.size == 10.0));
}

void TestSoftScriptPages::lineBreaksAreFoldedIntoTheJob()
{
    ScriptRecord soft = sampleJob();
    soft.InsoleOptionsR = QStringLiteral("X\r\nY;");
    soft.Notes = QStringLiteral("one\r\ntwo");
    Fold_Document_Line_Breaks(soft, JobKind::Soft);
    QCOMPARE(soft.TopCoverL, QStringLiteral("Poly,Foam"));
    QCOMPARE(soft.InsoleOptionsR, QStringLiteral("X,Y;"));
    QCOMPARE(soft.Notes, QStringLiteral("one\r\ntwo")); // the soft notes keep theirs

    ScriptRecord rigid = soft;
    Fold_Document_Line_Breaks(rigid, JobKind::Rigid);
    QCOMPARE(rigid.Notes, QStringLiteral("one,two"));
    Fold_Document_Line_Breaks(rigid, JobKind::Rigid);
    QCOMPARE(rigid.Notes, QStringLiteral("one,two"));
}

QTEST_MAIN(TestSoftScriptPages)
#include "tst_softscriptpages.moc"
