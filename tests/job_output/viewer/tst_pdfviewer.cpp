#include "pdfform.h"
#include "scriptedprompter.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// Page i of the test documents is filled with its own grey, so a rendered
// picture shows which page it is.
QColor pageGrey(int page)
{
    static const int levels[] = {0, 110, 200};
    return QColor(levels[(page - 1) % 3], levels[(page - 1) % 3], levels[(page - 1) % 3]);
}

void makePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(254);
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.fillRect(QRect(0, 0, painter.device()->width(), painter.device()->height()), pageGrey(page));
    }
}

int centreGrey(const QImage &image)
{
    return qGray(image.pixel(image.width() / 2, image.height() / 2));
}

void click(QWidget *form, const char *name)
{
    auto *button = form->findChild<QToolButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

QString text(QWidget *form, const char *name)
{
    auto *box = form->findChild<QLineEdit *>(QLatin1String(name));
    return box ? box->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// The pixel size of a test page at `dpi` and `zoom`.
QSize pageAt(const QString &path, int page, double dpi, double zoom = 1.0)
{
    QPdfDocument doc;
    doc.load(path);
    const QSizeF points = doc.pagePointSize(page - 1);
    return QSize(qRound(points.width() / 72 * dpi * zoom), qRound(points.height() / 72 * dpi * zoom));
}

const QImage &picture(QWidget *form)
{
    return form->findChild<PdfPicture *>(QStringLiteral("Picture1"))->image();
}

// Answers the print dialog as a user who prints to a file.
class PrintToFilePrompter : public ScriptedPrompter
{
public:
    QString outputFile;
    bool printDialog(QPrinter &printer) override
    {
        ScriptedPrompter::printDialog(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return true;
    }
};

} // namespace

class TstPdfViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadsFirstPage();
    void pageBounds();
    void zoomSteps();
    void typedZoomAndResolution();
    void scrollOrigin();
    void unreadableFile_data();
    void unreadableFile();
    void printsToPdf();
    void printCancelledOrFailing();
    void showPdfViewerIsModalAndUnloads();
    void unprintedPaperShowsWhite();

private:
    std::unique_ptr<TestHome> m_home;
    std::shared_ptr<ScriptedPrompter> m_ui;
    QString m_pdf;
    std::unique_ptr<PdfForm> load(const QString &path)
    {
        PdfViewerFile() = path;
        return std::make_unique<PdfForm>();
    }
};

void TstPdfViewer::init()
{
    m_home = std::make_unique<TestHome>();
    m_ui = ScriptedPrompter::install();
    m_pdf = m_home->path(QStringLiteral("Data/Three_L.Pdf"));
    makePdf(m_pdf, 3);
}

void TstPdfViewer::cleanup()
{
    Windows().reset();
    m_home.reset();
}

void TstPdfViewer::loadsFirstPage()
{
    auto form = load(m_pdf);
    QCOMPARE(form->windowTitle(), QStringLiteral("PDF Viewer"));
    QCOMPARE(form->objectName(), QStringLiteral("PdfForm"));
    QVERIFY(m_ui->calls.isEmpty());
    QCOMPARE(text(form.get(), "Text1"), QStringLiteral("85"));
    QCOMPARE(text(form.get(), "Text4"), QStringLiteral("1.00"));
    QCOMPARE(text(form.get(), "Text5"), QStringLiteral("1"));
    QCOMPARE(text(form.get(), "Text6"), QStringLiteral("3"));
    QCOMPARE(form->page(), 1);
    QCOMPARE(form->pageCount(), 3);
    QCOMPARE(form->dpi(), 85);
    QCOMPARE(picture(form.get()).size(), pageAt(m_pdf, 1, 85));
    QVERIFY(qAbs(picture(form.get()).width() - 703) <= 1); // A4 at 85 dpi
    QCOMPARE(centreGrey(picture(form.get())), 0);
    // Picture buttons: the tooltip is the name a screen reader gives.
    for (const char *name :
         {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8", "Command9"}) {
        auto *button = form->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(button && !button->toolTip().isEmpty(), name);
        QCOMPARE(button->accessibleName(), button->toolTip());
    }
}

void TstPdfViewer::pageBounds()
{
    auto form = load(m_pdf);
    const qint64 first = picture(form.get()).cacheKey();
    click(form.get(), "Command1"); // previous on page 1: nothing new is drawn
    QCOMPARE(form->page(), 1);
    QCOMPARE(picture(form.get()).cacheKey(), first);

    click(form.get(), "Command2");
    QCOMPARE(form->page(), 2);
    QCOMPARE(text(form.get(), "Text5"), QStringLiteral("2"));
    QCOMPARE(centreGrey(picture(form.get())), pageGrey(2).red());
    click(form.get(), "Command2");
    QCOMPARE(centreGrey(picture(form.get())), pageGrey(3).red());
    const qint64 last = picture(form.get()).cacheKey();
    click(form.get(), "Command2"); // next on the last page: likewise
    QCOMPARE(form->page(), 3);
    QCOMPARE(text(form.get(), "Text5"), QStringLiteral("3"));
    QCOMPARE(picture(form.get()).cacheKey(), last);

    click(form.get(), "Command1");
    click(form.get(), "Command1");
    QCOMPARE(form->page(), 1);
    QCOMPARE(text(form.get(), "Text5"), QStringLiteral("1"));
    QCOMPARE(centreGrey(picture(form.get())), 0);
}

void TstPdfViewer::zoomSteps()
{
    auto form = load(m_pdf);
    const QStringList shown = {QStringLiteral("1.10"), QStringLiteral("1.21"), QStringLiteral("1.33"),
                               QStringLiteral("1.46")};
    for (const QString &expected : shown) {
        click(form.get(), "Command3");
        QCOMPARE(text(form.get(), "Text4"), expected);
    }
    // Each press starts from the two-decimal text: 1.33 x 1.1, not 1.1^4.
    QCOMPARE(form->zoom(), 1.33 * 1.1);
    QCOMPARE(form->libraryZoom(), 1.33 * 1.1);
    QCOMPARE(picture(form.get()).size(), pageAt(m_pdf, 1, 85, 1.463));

    click(form.get(), "Command4");
    QCOMPARE(text(form.get(), "Text4"), QStringLiteral("1.31")); // 1.46 x 0.9 = 1.314

    click(form.get(), "Command6");
    QCOMPARE(text(form.get(), "Text4"), QStringLiteral("1.00"));
    QCOMPARE(form->libraryZoom(), 1.0);
    QCOMPARE(picture(form.get()).size(), pageAt(m_pdf, 1, 85));
}

void TstPdfViewer::typedZoomAndResolution()
{
    auto form = load(m_pdf);
    form->findChild<QLineEdit *>(QStringLiteral("Text4"))->setText(QStringLiteral("2"));
    click(form.get(), "Command4");
    QCOMPARE(text(form.get(), "Text4"), QStringLiteral("1.80"));

    click(form.get(), "Command6");
    form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("150"));
    QCOMPARE(form->dpi(), 85); // typing alone changes nothing
    click(form.get(), "Command2");
    QCOMPARE(form->dpi(), 150);
    QCOMPARE(picture(form.get()).size(), pageAt(m_pdf, 2, 150));

    form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("60.5"));
    click(form.get(), "Command5"); // halves go to the even neighbour
    QCOMPARE(form->dpi(), 60);
    QCOMPARE(picture(form.get()).size(), pageAt(m_pdf, 2, 60));

    // A mistyped resolution is drawn smaller instead of exhausting memory.
    form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("100000"));
    click(form.get(), "Command5");
    const QImage &huge = picture(form.get());
    QVERIFY(!huge.isNull());
    QVERIFY(qint64(huge.width()) * huge.height() <= PdfLibrary::kMaxPixels);

    form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("abc"));
    click(form.get(), "Command5");
    QVERIFY(picture(form.get()).isNull());
    QCOMPARE(form->result(), 0);
}

void TstPdfViewer::scrollOrigin()
{
    auto form = load(m_pdf);
    auto *hbar = form->findChild<QScrollBar *>(QStringLiteral("FlatScrollBar1"));
    auto *vbar = form->findChild<QScrollBar *>(QStringLiteral("FlatScrollBar2"));
    QVERIFY(hbar && vbar);
    QCOMPARE(hbar->orientation(), Qt::Horizontal);
    QVERIFY(hbar->maximum() >= 70 && vbar->maximum() >= 99);

    hbar->setValue(5);
    QCOMPARE(form->origin(), QPoint(-50, 0));
    hbar->setValue(0);
    click(form.get(), "Command3");
    hbar->setValue(5);
    QCOMPARE(form->origin(), QPoint(-55, 0));
    vbar->setValue(3); // one bar sets both offsets
    QCOMPARE(form->origin(), QPoint(0, -33));

    click(form.get(), "Command6");
    QCOMPARE(form->origin(), QPoint(0, 0));
    QCOMPARE(hbar->value(), 0);
    QCOMPARE(vbar->value(), 0);
    QCOMPARE(text(form.get(), "Text4"), QStringLiteral("1.00"));
}

void TstPdfViewer::unreadableFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("iRet: 3 Error");
    QTest::newRow("not a PDF") << QByteArray("Solvane,not a pdf\r\n") << QStringLiteral("iRet: 4 Error");
}

void TstPdfViewer::unreadableFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_home->path(QStringLiteral("Data/Gone_L.Pdf"));
    if (!content.isEmpty())
        m_home->write(QStringLiteral("Data/Gone_L.Pdf"), content);

    auto form = load(path);

    QCOMPARE(m_ui->messages(), QStringList{message});
    QCOMPARE(m_ui->calls[0].title, QStringLiteral("PDF"));
    QCOMPARE(m_ui->calls[0].icon, Prompter::Icon::Information);
    QCOMPARE(text(form.get(), "Text6"), QStringLiteral("0"));
    QVERIFY(picture(form.get()).isNull());
    // The window stays usable.
    form->show();
    QVERIFY(form->isVisible());
    click(form.get(), "Command2");
    click(form.get(), "Command1");
    click(form.get(), "Command3");
    QCOMPARE(form->page(), 1);
    QCOMPARE(m_ui->messages().size(), 1);
    click(form.get(), "Command8"); // nothing to print is a failed print
    QCOMPARE(m_ui->messages().last(), QStringLiteral("Error Printing the PDf File"));
}

void TstPdfViewer::printsToPdf()
{
    auto ui = std::make_shared<PrintToFilePrompter>();
    ui->outputFile = m_home->path(QStringLiteral("Printed.pdf"));
    Set_Prompter(ui);
    auto form = load(m_pdf);

    click(form.get(), "Command8");

    QCOMPARE(ui->calls.size(), 1);
    QCOMPARE(ui->calls[0].kind, QStringLiteral("print"));
    QCOMPARE(form->printer().docName(), QStringLiteral("Insole Script"));
    QCOMPARE(form->result(), 1);
    QPdfDocument printed;
    QCOMPARE(printed.load(ui->outputFile), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), 3);
    for (int page = 1; page <= 3; ++page) {
        const QImage image = printed.render(page - 1, QSize(105, 148));
        QVERIFY(qAbs(centreGrey(image) - pageGrey(page).red()) <= 3);
    }
}

void TstPdfViewer::printCancelledOrFailing()
{
    auto form = load(m_pdf);
    click(form.get(), "Command8"); // the scripted dialog is cancelled
    QCOMPARE(m_ui->calls.size(), 1);
    QVERIFY(m_ui->messages().isEmpty());

    auto failing = std::make_shared<PrintToFilePrompter>();
    failing->outputFile = m_home->path(QStringLiteral("NoSuchFolder/Printed.pdf"));
    Set_Prompter(failing);
    click(form.get(), "Command8");
    QCOMPARE(failing->messages(), QStringList{QStringLiteral("Error Printing the PDf File")});
    QCOMPARE(failing->calls.last().title, QStringLiteral("Print Error"));
    QCOMPARE(failing->calls.last().icon, Prompter::Icon::Warning);

    // "Printer setup" asks for the printer; its choice is the one printed on.
    Set_Prompter(m_ui);
    click(form.get(), "Command9");
    QCOMPARE(m_ui->calls.last().kind, QStringLiteral("print"));
}

void TstPdfViewer::showPdfViewerIsModalAndUnloads()
{
    Register_Pdf_Viewer();
    QString seenTitle;
    int seenCount = -1;
    bool wasModal = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        auto *form = qobject_cast<PdfForm *>(modal);
        QVERIFY(form);
        seenTitle = form->windowTitle();
        seenCount = form->pageCount();
        wasModal = form->isModal();
        QVERIFY(Windows().isLoaded(QStringLiteral("PdfForm")));
        click(form, "Command7");
    });

    Show_Pdf_Viewer(m_pdf);

    QCOMPARE(seenTitle, QStringLiteral("PDF Viewer"));
    QCOMPARE(seenCount, 3);
    QVERIFY(wasModal);
    QCOMPARE(PdfViewerFile(), m_pdf);
    QVERIFY(!Windows().isLoaded(QStringLiteral("PdfForm")));
}

// A prescription prints text on blank paper: the blank shows white and
// opaque, not the viewer's grey behind a transparent page.
void TstPdfViewer::unprintedPaperShowsWhite()
{
    const QString path = m_home->path(QStringLiteral("Data/Text_L.Pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(254);
        QPainter painter(&writer);
        painter.fillRect(QRect(100, 100, 400, 400), Qt::black);
    }
    auto form = load(path);
    const QImage &page = picture(form.get());
    QVERIFY(!page.isNull());
    const QColor blank = page.pixelColor(page.width() / 2, page.height() / 2);
    QCOMPARE(blank.alpha(), 255);
    QCOMPARE(blank, QColor(Qt::white));
    QCOMPARE(page.pixelColor(qRound(page.width() * 300.0 / 2100), qRound(page.height() * 300.0 / 2970)),
             QColor(Qt::black));
}

QTEST_MAIN(TstPdfViewer)
#include "tst_pdfviewer.moc"
