#include "errors.h"
#include "pdffonts.h"
#include "qtpdfwriter.h"
#include "recordingpdfwriter.h"
#include "testhome.h"

#include <QImage>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Word boxes from pdftotext, in points from the page's top-left corner.
struct Word
{
    QString text;
    double xMin, yMin, xMax;
};

QList<Word> words(const QString &pdf)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QList<Word> out;
    static const QRegularExpression re(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out << Word{m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()};
    }
    return out;
}

double points(int tenths)
{
    return tenths * 72.0 / 254.0;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestQtPdfWriter : public QObject
{
    Q_OBJECT

private slots:
    void documentFontsAreServedByLiberation();
    void textIsPlacedByItsTopLeftCornerOnA4();
    void textWidthIsWhatThePageShows_data();
    void textWidthIsWhatThePageShows();
    void pagesAreWrittenWhenTheDocumentEnds();
    void abortLeavesNoFileAndKeepsTheOldOne();
    void unwritableTargetThrowsAndLeavesNoFile();
    void imagesKeepTheirProportionsAndBadOnesThrow();
    void drawingWithoutADocumentThrows();
};

void TestQtPdfWriter::documentFontsAreServedByLiberation()
{
    // Columns are laid out for the clinic's fonts: a machine without the
    // metric-compatible families must fail here, not print wider columns.
    QtPdfWriter w;
    w.Pdf_Set_Font(QStringLiteral("Arial"));
    QCOMPARE(w.resolvedFamily(), QStringLiteral("Liberation Sans"));
    w.Pdf_Set_Font(QStringLiteral("Times New Roman"));
    QCOMPARE(w.resolvedFamily(), QStringLiteral("Liberation Serif"));

    TestHome home;
    const QString path = home.path(QStringLiteral("Fonts.Pdf"));
    w.Pdf_Set_File_Name(path);
    w.Pdf_Begin_Document();
    w.Pdf_Set_Font(QStringLiteral("Arial"));
    w.Pdf_Text(200, 200, QStringLiteral("Sans"));
    w.Pdf_Set_Bold(true);
    w.Pdf_Text(200, 300, QStringLiteral("Bold"));
    w.Pdf_Set_Bold(false);
    w.Pdf_Set_Font(QStringLiteral("Times New Roman"));
    w.Pdf_Text(200, 400, QStringLiteral("Serif"));
    w.Pdf_End_Document();

    const QString fonts = run(QStringLiteral("pdffonts"), {path});
    QVERIFY2(fonts.contains(QLatin1String("LiberationSans-Bold")), qPrintable(fonts));
    QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("LiberationSans(?!-Bold)"))), qPrintable(fonts));
    QVERIFY2(fonts.contains(QLatin1String("LiberationSerif")), qPrintable(fonts));
    QVERIFY2(!fonts.contains(QLatin1String("DejaVu")), qPrintable(fonts));

    QCOMPARE(Pdf_Em_Height(10), 35);
    QCOMPARE(w.Pdf_Text_Height(QStringLiteral("A")), Pdf_Em_Height(10));
}

void TestQtPdfWriter::textIsPlacedByItsTopLeftCornerOnA4()
{
    TestHome home;
    const QString path = home.path(QStringLiteral("Placed.Pdf"));
    QtPdfWriter w;
    w.Pdf_Set_File_Name(path);
    w.Pdf_Set_Paper(QStringLiteral("A4"));
    w.Pdf_Begin_Document();
    w.Pdf_Set_Font(QStringLiteral("Arial"));
    w.Pdf_Set_Font_Size(10);
    w.Pdf_Text(200, 1000, QStringLiteral("Corner"));
    w.Pdf_Set_Font_Size(14);
    w.Pdf_Text(1500, 2800, QStringLiteral("Lower"));
    w.Pdf_Text_In_Box(100, 80, 2000, 180, 0, 2, QStringLiteral("  Boxed"));
    w.Pdf_End_Document();

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(
                 QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))),
             qPrintable(info));

    const QList<Word> found = words(path);
    QHash<QString, Word> byText;
    for (const Word &w : found)
        byText.insert(w.text, w);
    QVERIFY2(byText.contains(QStringLiteral("Corner")) && byText.contains(QStringLiteral("Lower")),
             qPrintable(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")})));
    QVERIFY(qAbs(byText[QStringLiteral("Corner")].xMin - points(200)) < 1.0);
    QVERIFY(qAbs(byText[QStringLiteral("Corner")].yMin - points(1000)) < 1.5);
    QVERIFY(qAbs(byText[QStringLiteral("Lower")].xMin - points(1500)) < 1.0);
    QVERIFY(qAbs(byText[QStringLiteral("Lower")].yMin - points(2800)) < 1.5);

    // Left-aligned in the box with its two leading blanks kept, centred
    // vertically on the box.
    const Word boxed = byText.value(QStringLiteral("Boxed"));
    QVERIFY2(boxed.xMin > points(100) + 4.0 && boxed.xMin < points(100) + 12.0,
             qPrintable(QString::number(boxed.xMin)));
    const double lineHeight = points(Pdf_Em_Height(14)) * 1.117; // ascent + descent of the Liberation fonts
    QVERIFY(qAbs(boxed.yMin + lineHeight / 2 - points(130)) < 2.0);
}

void TestQtPdfWriter::textWidthIsWhatThePageShows_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Arial 10") << 10.0 << false;
    QTest::newRow("Arial 10 bold") << 10.0 << true;
    QTest::newRow("Arial 14") << 14.0 << false;
}

void TestQtPdfWriter::textWidthIsWhatThePageShows()
{
    QFETCH(double, size);
    QFETCH(bool, bold);
    const QString label = QStringLiteral("TOP COVER (BASE) RIGHT");
    TestHome home;
    const QString path = home.path(QStringLiteral("Widths.Pdf"));
    QtPdfWriter w;
    RecordingPdfWriter recording;
    for (PdfWriter *writer : {static_cast<PdfWriter *>(&w), static_cast<PdfWriter *>(&recording)}) {
        writer->Pdf_Set_Font_Size(size);
        writer->Pdf_Set_Bold(bold);
    }
    const int labelWidth = w.Pdf_Text_Width(label);
    const int blank = w.Pdf_Text_Width(QStringLiteral(" "));
    QVERIFY(blank > 0);
    QCOMPARE(recording.Pdf_Text_Width(label), labelWidth); // the tests measure as the page does

    w.Pdf_Set_File_Name(path);
    w.Pdf_Begin_Document();
    w.Pdf_Text(200, 500, label);
    w.Pdf_Text(200 + w.Pdf_Text_Width(label + u' '), 500, QStringLiteral("Cork"));
    w.Pdf_End_Document();

    QHash<QString, Word> byText;
    for (const Word &word : words(path))
        byText.insert(word.text, word);
    QVERIFY(byText.contains(QStringLiteral("TOP")) && byText.contains(QStringLiteral("RIGHT")));
    QVERIFY2(byText.contains(QStringLiteral("Cork")), "the value is a word of its own");
    // The label is as wide as measured, and one blank stands before the value.
    const double shownWidth = byText[QStringLiteral("RIGHT")].xMax - byText[QStringLiteral("TOP")].xMin;
    QVERIFY2(qAbs(shownWidth - points(labelWidth)) < 0.5, qPrintable(QString::number(shownWidth)));
    const double gap = byText[QStringLiteral("Cork")].xMin - byText[QStringLiteral("RIGHT")].xMax;
    QVERIFY2(qAbs(gap - points(blank)) < 0.5, qPrintable(QString::number(gap)));
}

void TestQtPdfWriter::pagesAreWrittenWhenTheDocumentEnds()
{
    TestHome home;
    const QString path = home.path(QStringLiteral("Pages.Pdf"));
    QtPdfWriter w;
    w.Pdf_Set_File_Name(path);
    w.Pdf_Begin_Document();
    w.Pdf_Text(200, 200, QStringLiteral("First"));
    w.Pdf_Rectangle(100, 80, 2000, 180);
    w.Pdf_Move_To(200, 500);
    w.Pdf_Line_To(1900, 500);
    w.Pdf_New_Page();
    w.Pdf_Text(200, 200, QStringLiteral("Second"));
    w.Pdf_New_Page();
    w.Pdf_Text(200, 200, QStringLiteral("Third"));
    QVERIFY(!QFile::exists(path)); // nothing is in place before the end
    w.Pdf_End_Document();

    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3);
    QVERIFY(pdf.getAllText(1).text().contains(QLatin1String("Second")));
    QVERIFY(pdf.getAllText(2).text().contains(QLatin1String("Third")));
    QVERIFY(!pdf.getAllText(0).text().contains(QLatin1String("Second")));
}

void TestQtPdfWriter::abortLeavesNoFileAndKeepsTheOldOne()
{
    TestHome home;
    const QString fresh = home.path(QStringLiteral("Fresh.Pdf"));
    {
        QtPdfWriter w;
        w.Pdf_Set_File_Name(fresh);
        w.Pdf_Begin_Document();
        w.Pdf_Text(200, 200, QStringLiteral("Half"));
        w.Pdf_Abort_Document();
    }
    QVERIFY(!QFile::exists(fresh));

    const QString old = home.path(QStringLiteral("Old.Pdf"));
    home.write(QStringLiteral("Old.Pdf"), "earlier document");
    {
        // Dropped without an end, as when a page throws half-way.
        QtPdfWriter w;
        w.Pdf_Set_File_Name(old);
        w.Pdf_Begin_Document();
        w.Pdf_Text(200, 200, QStringLiteral("Half"));
    }
    QCOMPARE(readAll(old), QByteArray("earlier document"));
    QCOMPARE(QDir(home.root()).entryList(QDir::Files), QStringList{QStringLiteral("Old.Pdf")});

    QtPdfWriter w;
    w.Pdf_Set_File_Name(old);
    w.Pdf_Begin_Document();
    w.Pdf_End_Document();
    QVERIFY(readAll(old).startsWith("%PDF-"));
}

void TestQtPdfWriter::unwritableTargetThrowsAndLeavesNoFile()
{
    // A regular file where the folder should be: no permission trick, so it
    // holds when the tests run as root.
    TestHome home;
    home.write(QStringLiteral("Blocker"), "not a folder");
    const QString path = home.path(QStringLiteral("Blocker/Job.Pdf"));
    QtPdfWriter w;
    w.Pdf_Set_File_Name(path);
    try {
        w.Pdf_Begin_Document();
        QFAIL("the document began on an unwritable path");
    } catch (const SolvaneError &e) {
        QCOMPARE(e.number(), ErrorNumber::FileWrite);
        QVERIFY(e.description().contains(QLatin1String("Job.Pdf")));
    }
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(home.read(QStringLiteral("Blocker")), QByteArray("not a folder"));
    QVERIFY_THROWS_EXCEPTION(SolvaneError, w.Pdf_End_Document());
}

void TestQtPdfWriter::imagesKeepTheirProportionsAndBadOnesThrow()
{
    TestHome home;
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    QVERIFY(wide.save(home.path(QStringLiteral("Wide.Jpg")), "JPEG", 90));
    home.write(QStringLiteral("Broken.Jpg"), "this is no picture");

    const QString path = home.path(QStringLiteral("Images.Pdf"));
    QtPdfWriter w;
    w.Pdf_Set_File_Name(path);
    w.Pdf_Begin_Document();
    w.Pdf_Image_Stretched(100, 320, 2000, 2120, home.path(QStringLiteral("Wide.Jpg")));
    try {
        w.Pdf_Image_Stretched(100, 320, 2000, 2120, home.path(QStringLiteral("Missing.Jpg")));
        QFAIL("a missing image was drawn");
    } catch (const SolvaneError &e) {
        QCOMPARE(e.number(), ErrorNumber::FileNotFound);
    }
    try {
        w.Pdf_Image(360, 2200, home.path(QStringLiteral("Broken.Jpg")));
        QFAIL("an unreadable image was drawn");
    } catch (const SolvaneError &e) {
        QCOMPARE(e.number(), ErrorNumber::BadFileFormat);
    }
    w.Pdf_Text(200, 2800, QStringLiteral("After"));
    w.Pdf_End_Document(); // the failed images did not spoil the document

    // pdfimages lists width, height and the resolution each way: equal
    // resolutions mean the picture was not distorted.
    const QString list = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    const QStringList lines = list.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3); // two heading lines and one image
    const QStringList cols = lines[2].simplified().split(u' ');
    QCOMPARE(cols.value(3), QStringLiteral("400"));
    QCOMPARE(cols.value(4), QStringLiteral("200"));
    QCOMPARE(cols.value(12), cols.value(13));
    // 400 pixels across the 190 mm box: about 53 pixels per inch.
    QVERIFY(qAbs(cols.value(12).toDouble() - 400 / (190 / 25.4)) < 1.5);

    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QVERIFY(pdf.getAllText(0).text().contains(QLatin1String("After")));
}

void TestQtPdfWriter::drawingWithoutADocumentThrows()
{
    QtPdfWriter w;
    QVERIFY_THROWS_EXCEPTION(SolvaneError, w.Pdf_Text(0, 0, QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(SolvaneError, w.Pdf_New_Page());
    QVERIFY_THROWS_EXCEPTION(SolvaneError, w.Pdf_Begin_Document()); // no file name
    QVERIFY_THROWS_EXCEPTION(SolvaneError, w.Pdf_Set_Paper(QStringLiteral("Tabloid")));
}

QTEST_MAIN(TestQtPdfWriter)
#include "tst_qtpdfwriter.moc"
