#include "optiontablepdf.h"
#include "paths.h"
#include "recordingpdfwriter.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QtTest>

namespace {

QStringList entries(const QString &stem, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << stem + QString::number(i);
    return out;
}

// The tables as the soft window leaves them after reading its table file.
ScriptRecord withTables(int styles, int densities, int covers, int options)
{
    ScriptRecord job;
    job.OrthoticStyleTable = entries(QStringLiteral("Style "), styles);
    job.OrthoticStyleTableCount = styles;
    job.EvaDensityTable = entries(QStringLiteral("Density "), densities);
    job.EvaDensityTableCount = densities;
    job.TopCoverTable = entries(QStringLiteral("Cover "), covers);
    job.TopCoverTableCount = covers;
    job.InsoleOptionTable = entries(QStringLiteral("Option "), options);
    job.InsoleOptionTableCount = options;
    return job;
}

const QStringList kHeadings = {QStringLiteral("Orthotic Style"), QStringLiteral("EVA Density"),
                               QStringLiteral("Top Cover"), QStringLiteral("Insole Options")};

// A writer whose letters are 16 units high: a line spacing of 22.4, which
// lands one cursor exactly on the page-break line.
class SmallLetterWriter : public RecordingPdfWriter
{
public:
    int Pdf_Text_Height(const QString &text) override
    {
        RecordingPdfWriter::Pdf_Text_Height(text);
        return 16;
    }
};

// Letters and digits only: the text a PDF reader extracts breaks and joins
// lines at its own will, but keeps their order.
QString squeezed(const QString &text)
{
    QString out;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            out += c;
    return out;
}

QString allText(QPdfDocument &doc)
{
    QString text;
    for (int page = 0; page < doc.pageCount(); ++page)
        text += doc.getAllText(page).text();
    return squeezed(text);
}

} // namespace

class TstOptionTable : public QObject
{
    Q_OBJECT

private slots:
    void emptyTables();
    void entriesAndNumbers();
    void pageBreaks();
    void breakOnlyAboveTheLine();
    void writtenPdf_data();
    void writtenPdf();
    void commandSavesAndConfirms();
    void commandCancelled();
    void commandFailureIsReported();
};

void TstOptionTable::emptyTables()
{
    RecordingPdfWriter w;
    Compose_Option_Table_PDF(w, ScriptRecord(), QStringLiteral("/tmp/x.Pdf"));

    QVERIFY(w.began() && w.ended());
    QCOMPARE(w.fileName(), QStringLiteral("/tmp/x.Pdf"));
    QCOMPARE(w.pageCount(), 1);
    const auto box = w.ofOp(QStringLiteral("Pdf_Text_In_Box"));
    QCOMPARE(box.size(), 1);
    QCOMPARE(box[0].text, QStringLiteral("OPTION TABLE"));
    QCOMPARE(box[0].args, (QVector<int>{100, 80, 2000, 180, 2, 2}));
    QCOMPARE(box[0].font, QStringLiteral("Times New Roman"));
    QCOMPARE(box[0].size, 16.0);
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_Rectangle"))[0].args, (QVector<int>{100, 80, 2000, 180}));
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_Set_Page_Option"))[0].args, QVector<int>{3});
    QCOMPARE(w.ofOp(QStringLiteral("Pdf_Set_Document_Option"))[0].args, QVector<int>{0});

    // Title and the four headings only; spacing 1.4 x 35 = 49.
    const auto texts = w.texts();
    QCOMPARE(texts.size(), 4);
    const int ys[] = {247, 394, 541, 688}; // 100 + 3 lines, then 1 + 2 lines each
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(texts[i].text, kHeadings[i]);
        QCOMPARE(texts[i].x(), 200);
        QCOMPARE(texts[i].y(), ys[i]);
        QCOMPARE(texts[i].font, QStringLiteral("Times New Roman"));
        QCOMPARE(texts[i].size, 10.0);
    }
}

void TstOptionTable::entriesAndNumbers()
{
    RecordingPdfWriter w;
    ScriptRecord job = withTables(2, 1, 0, 3);
    job.TopCoverTable = entries(QStringLiteral("Stale "), 4); // a count of 0 prints none
    Compose_Option_Table_PDF(w, job, QStringLiteral("/tmp/x.Pdf"));

    QStringList seen;
    for (const auto &t : w.texts())
        seen << QStringLiteral("%1@%2,%3").arg(t.text).arg(t.x()).arg(t.y());
    const QStringList expected = {
        QStringLiteral("Orthotic Style@200,247"),
        QStringLiteral("0@300,296"),
        QStringLiteral("Style 0@600,296"),
        QStringLiteral("1@300,345"),
        QStringLiteral("Style 1@600,345"),
        QStringLiteral("EVA Density@200,492"),
        QStringLiteral("0@300,541"),
        QStringLiteral("Density 0@600,541"),
        QStringLiteral("Top Cover@200,688"),
        QStringLiteral("Insole Options@200,835"),
        QStringLiteral("0@300,884"),
        QStringLiteral("Option 0@600,884"),
        QStringLiteral("1@300,933"),
        QStringLiteral("Option 1@600,933"),
        QStringLiteral("2@300,982"),
        QStringLiteral("Option 2@600,982"),
    };
    QCOMPARE(seen, expected);
}

void TstOptionTable::pageBreaks()
{
    // 43 styles end at 2403; the gap and heading pass 2500 without a break,
    // the first density is still drawn there and the break follows it.
    {
        RecordingPdfWriter w;
        Compose_Option_Table_PDF(w, withTables(43, 3, 0, 0), QStringLiteral("/tmp/x.Pdf"));
        QCOMPARE(w.findText(QStringLiteral("Style 42"))->y(), 2354);
        const auto *heading = w.findText(QStringLiteral("EVA Density"));
        QCOMPARE(heading->y(), 2501);
        QCOMPARE(heading->page, 1);
        QCOMPARE(w.findText(QStringLiteral("Density 0"))->y(), 2550);
        QCOMPARE(w.findText(QStringLiteral("Density 0"))->page, 1);
        QCOMPARE(w.findText(QStringLiteral("Density 1"))->y(), 100);
        QCOMPARE(w.findText(QStringLiteral("Density 1"))->page, 2);
        QCOMPARE(w.findText(QStringLiteral("Top Cover"))->page, 2);
        QCOMPARE(w.pageCount(), 2);
    }
    // 45 styles: the 45th (index 44) takes the cursor to 2501 and breaks.
    {
        RecordingPdfWriter w;
        Compose_Option_Table_PDF(w, withTables(100, 0, 0, 0), QStringLiteral("/tmp/x.Pdf"));
        QCOMPARE(w.findText(QStringLiteral("Style 44"))->y(), 2452);
        QCOMPARE(w.findText(QStringLiteral("Style 44"))->page, 1);
        QCOMPARE(w.findText(QStringLiteral("Style 45"))->y(), 100);
        QCOMPARE(w.findText(QStringLiteral("Style 45"))->page, 2);
        // A new page gets no title, heading or font call.
        for (const auto &call : w.calls)
            if (call.page == 2)
                QVERIFY2(call.op == QLatin1String("Pdf_Text") || call.op == QLatin1String("Pdf_New_Page")
                             || call.op == QLatin1String("Pdf_End_Document"),
                         qPrintable(call.op));
        QCOMPARE(w.texts(2).first().font, QStringLiteral("Times New Roman"));
        QCOMPARE(w.texts(2).first().size, 10.0);
        QCOMPARE(w.pageCount(), 3); // 45 + 50 + 5 entries
    }
}

void TstOptionTable::breakOnlyAboveTheLine()
{
    // With a spacing of 22.4 the 80th entry of the second section leaves
    // the cursor at exactly 2500: no break there, the next entry is drawn
    // at 2500 and the break comes after it.
    SmallLetterWriter w;
    Compose_Option_Table_PDF(w, withTables(22, 83, 0, 0), QStringLiteral("/tmp/x.Pdf"));
    QCOMPARE(w.findText(QStringLiteral("Density 80"))->y(), 2500);
    QCOMPARE(w.findText(QStringLiteral("Density 80"))->page, 1);
    QCOMPARE(w.findText(QStringLiteral("Density 81"))->y(), 100);
    QCOMPARE(w.findText(QStringLiteral("Density 81"))->page, 2);
}

void TstOptionTable::writtenPdf_data()
{
    QTest::addColumn<int>("perTable");
    QTest::addColumn<int>("pages");
    QTest::newRow("no table file read") << 0 << 1;
    QTest::newRow("short tables") << 5 << 1;
    QTest::newRow("long tables") << 30 << 3;
}

void TstOptionTable::writtenPdf()
{
    QFETCH(int, perTable);
    QFETCH(int, pages);
    TestHome home;
    const ScriptRecord job = withTables(perTable, perTable, perTable, perTable);
    const QString path = home.path(QStringLiteral("Data/OptionTable.Pdf"));

    RecordingPdfWriter recorded;
    Compose_Option_Table_PDF(recorded, job, path);
    QCOMPARE(recorded.pageCount(), pages);
    Write_Option_Table_PDF(job, path);

    QPdfDocument doc;
    QCOMPARE(doc.load(path), QPdfDocument::Error::None);
    QCOMPARE(doc.pageCount(), pages);
    const QString text = allText(doc);
    QVERIFY2(text.startsWith(QStringLiteral("OPTIONTABLE")), qPrintable(text.left(200)));
    qsizetype at = 0;
    for (const QString &heading : kHeadings) {
        const qsizetype found = text.indexOf(squeezed(heading), at);
        QVERIFY2(found >= at, qPrintable(heading));
        at = found;
    }
    if (perTable > 0) {
        QVERIFY(text.indexOf(QStringLiteral("Style%1").arg(perTable - 1)) < text.indexOf(squeezed(kHeadings[1])));
        QVERIFY(text.indexOf(QStringLiteral("Option%1").arg(perTable - 1)) > text.indexOf(squeezed(kHeadings[3])));
    }
}

void TstOptionTable::commandSavesAndConfirms()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = withTables(2, 2, 2, 2);
    Job().CurrentFolder = home.path(QStringLiteral("Data/Ann"));
    const QString path = home.path(QStringLiteral("Data/OptionTable.Pdf"));
    ui->files.enqueue(path);

    Print_Option_Table();

    QCOMPARE(ui->calls.size(), 2);
    const Prompter::FileRequest &r = ui->calls[0].file;
    QCOMPARE(ui->calls[0].kind, QStringLiteral("save"));
    QCOMPARE(r.title, QStringLiteral("Save a PDF File"));
    QCOMPARE(r.folder, Job().CurrentFolder);
    QCOMPARE(r.fileName, QStringLiteral("OptionTable"));
    QCOMPARE(r.filter, QStringLiteral("PDF File (*.Pdf)|*.Pdf|All Files (*.*)|*.*"));
    QCOMPARE(r.defaultExtension, QStringLiteral("Pdf"));

    const ScriptedPrompter::Call &done = ui->calls[1];
    QCOMPARE(done.text, QStringLiteral("The Table File Has Been Saved...\r\n\r\n") + QDir::toNativeSeparators(path)
                            + QStringLiteral("\r\n"));
    QCOMPARE(done.title, QStringLiteral("Status"));
    QCOMPARE(done.icon, Prompter::Icon::Information);
    QCOMPARE(done.buttons, Prompter::Buttons::Ok);
    QPdfDocument doc;
    QCOMPARE(doc.load(path), QPdfDocument::Error::None);
    QVERIFY(allText(doc).contains(QStringLiteral("Cover1")));
}

void TstOptionTable::commandCancelled()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = withTables(2, 2, 2, 2);
    Job().CurrentFolder = home.path(QStringLiteral("Data"));

    Print_Option_Table();

    QCOMPARE(ui->calls.size(), 1);
    QVERIFY(ui->messages().isEmpty());
    QCOMPARE(QDir(home.path(QStringLiteral("Data"))).entryList(QDir::Files), QStringList());
}

void TstOptionTable::commandFailureIsReported()
{
    TestHome home;
    auto ui = ScriptedPrompter::install();
    Job() = withTables(2, 2, 2, 2);
    const QString bad = home.path(QStringLiteral("Data/NoSuchFolder/OptionTable.Pdf"));
    const QString good = home.path(QStringLiteral("Data/OptionTable.Pdf"));
    ui->files.enqueue(bad);
    ui->files.enqueue(good);

    Print_Option_Table();
    QCOMPARE(ui->messages().size(), 1);
    QVERIFY(ui->messages()[0].startsWith(QStringLiteral("Error: ")));
    QCOMPARE(ui->calls.last().title, QStringLiteral("Error"));
    QVERIFY(!QFile::exists(bad));

    // A writer interrupted mid-document still begins the next one.
    RecordingPdfWriter w;
    w.failOn(QStringLiteral("Pdf_Text"), 3);
    QVERIFY_THROWS_EXCEPTION(SolvaneError, Compose_Option_Table_PDF(w, Job(), good));
    QVERIFY(w.aborted());
    QVERIFY(!w.ended());

    Print_Option_Table();
    QVERIFY(ui->messages().last().startsWith(QStringLiteral("The Table File Has Been Saved...")));
    QVERIFY(QFile::exists(good));
}

QTEST_MAIN(TstOptionTable)
#include "tst_optiontable.moc"
