#include "errors.h"
#include "picture.h"
#include "scriptedprompter.h"
#include "testhome.h"

#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QWidget>
#include <QtTest>

namespace {

// Red left half, green right half: where a capture came from shows in its colours.
class TwoColours : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width() / 2, height()), Qt::red);
        p.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), Qt::green);
    }
};

bool near(QRgb a, QColor b, int tolerance = 40)
{
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance
           && qAbs(qBlue(a) - b.blue()) <= tolerance;
}

// The box of the non-white pixels of a rendered page.
QRect inkBox(const QImage &page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!near(page.pixel(x, y), Qt::white, 30))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init() { ui = ScriptedPrompter::install(); }
    void cleanup() { Set_Prompter(nullptr); }

    void captureCopiesTheWindowArea()
    {
        TwoColours window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const Picture form = Capture_Form(&window);
        QCOMPARE(form.size(), QSize(200, 100));
        QVERIFY(near(form.pixel(10, 50), Qt::red));
        QVERIFY(near(form.pixel(190, 50), Qt::green));

        const Picture right = Capture_Window(&window, true, 120, 10, 50, 40);
        QCOMPARE(right.size(), QSize(50, 40));
        QVERIFY(near(right.pixel(0, 0), Qt::green));
        QVERIFY(near(right.pixel(49, 39), Qt::green));

        // Measured from the frame's corner, the same inner point is further in.
        const QPoint frame = window.geometry().topLeft() - window.frameGeometry().topLeft();
        const Picture outer = Capture_Window(&window, false, frame.x() + 120, frame.y() + 10, 50, 40);
        QCOMPARE(outer, right);

        // Past the window's edge the picture keeps its size and is white there.
        const Picture over = Capture_Window(&window, true, 180, 0, 40, 20);
        QCOMPARE(over.size(), QSize(40, 20));
        QVERIFY(near(over.pixel(5, 5), Qt::green));
        QVERIFY(near(over.pixel(35, 5), Qt::white));
    }

    void jpegRoundTrip()
    {
        TestHome home;
        TwoColours window;
        window.resize(160, 90);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString path = home.path(QStringLiteral("Data/Lee_Ann_L.Jpg"));
        QDir().mkpath(QFileInfo(path).path());

        Save_JPEG(Capture_Form(&window), path, 90);

        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage back = reader.read();
        QCOMPARE(back.size(), QSize(160, 90));
        QVERIFY(near(back.pixel(20, 45), Qt::red));
        QVERIFY(near(back.pixel(140, 45), Qt::green));
        QVERIFY(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size() == 1);
    }

    void jpegFailureKeepsItsErrorAndTheOldFile()
    {
        TestHome home;
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        try {
            Save_JPEG(picture, home.path(QStringLiteral("NoSuchFolder/Shot.Jpg")), 90);
            QFAIL("saved into a missing folder");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.number(), 5);
            const QString prefix = QStringLiteral("Cannot save the image. GDI+ Error:");
            QVERIFY(e.description().startsWith(prefix));
            bool isNumber = false;
            QVERIFY(e.description().mid(prefix.size()).toInt(&isNumber) != 0);
            QVERIFY(isNumber);
        }
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("NoSuchFolder"))));

        home.write(QStringLiteral("Old.Jpg"), "older picture");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Save_JPEG(QImage(), home.path(QStringLiteral("Old.Jpg")), 90));
        QCOMPARE(home.read(QStringLiteral("Old.Jpg")), QByteArray("older picture"));
    }

    void printFitsThePictureOnOnePage_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("square prints portrait, full width") << QSize(300, 300) << false;
        QTest::newRow("twice as wide prints landscape, full width") << QSize(400, 200) << true;
        QTest::newRow("tall prints portrait, full height") << QSize(100, 400) << false;
    }

    void printFitsThePictureOnOnePage()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(bool, landscape);
        TestHome home;
        QImage picture(pictureSize, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = home.path(QStringLiteral("print.pdf"));
        printer.setOutputFileName(pdf);
        ui->prints << true;

        QPainter painter;
        QVERIFY(Print_Picture_Dialog(printer, painter, picture));
        QVERIFY(painter.isActive()); // the caller ends the document
        QCOMPARE(printer.copyCount(), 1);
        QVERIFY(painter.end());

        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls.constFirst().kind, QStringLiteral("print"));
        QPdfDocument document;
        QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(document.pageCount(), 1);
        const QSizeF page = document.pagePointSize(0);
        QCOMPARE(page.width() > page.height(), landscape);

        // Rendered pages are transparent where nothing is printed: lay them on paper.
        QImage rendered(page.toSize(), QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QPainter(&rendered).drawImage(0, 0, document.render(0, page.toSize()));
        const QRect ink = inkBox(rendered);
        QVERIFY(!ink.isEmpty());
        QVERIFY(near(rendered.pixel(ink.center()), Qt::blue));
        // The picture keeps its shape and fills the printable width or height.
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
        const double ratio = double(pictureSize.width()) / pictureSize.height();
        QVERIFY2(qAbs(double(ink.width()) / ink.height() - ratio) < 0.03 * ratio,
                 qPrintable(QString::number(double(ink.width()) / ink.height())));
        const bool fillsWidth = qAbs(ink.width() - printable.width()) <= 2;
        const bool fillsHeight = qAbs(ink.height() - printable.height()) <= 2;
        QVERIFY(fillsWidth || fillsHeight);
        QCOMPARE(fillsWidth, ratio >= printable.width() / printable.height());
        QVERIFY(qAbs(ink.left() - printable.left()) <= 2 && qAbs(ink.top() - printable.top()) <= 2);
    }

    void cancelledPrinterDialogPrintsNothing()
    {
        TestHome home;
        QImage picture(100, 100, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = home.path(QStringLiteral("print.pdf"));
        printer.setOutputFileName(pdf);
        ui->prints << false;

        QPainter painter;
        QVERIFY(!Print_Picture_Dialog(printer, painter, picture));
        QVERIFY(!painter.isActive());
        QVERIFY(!QFileInfo::exists(pdf));
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
