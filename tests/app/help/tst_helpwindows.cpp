#include "aboutform.h"
#include "browserwindow.h"
#include "helpwindows.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTextTable>
#include <QtTest>

// Stands in for the desktop's web browser.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestHelpWindows : public QObject
{
    Q_OBJECT

    UrlCatcher desktop;

    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QTextBrowser *page(QWidget *browser)
    {
        return browser->findChild<QTextBrowser *>(QStringLiteral("brwWebBrowser"));
    }

    static void writePages(const TestHome &home)
    {
        home.write(QStringLiteral("help1.htm"), // the installation's own spelling may differ in case
                   "<html><head><title>Solvane Help</title></head><body><p>Welcome to the help.</p>"
                   "<p><a href=\"https://www.veltrane.example/manual\">Online manual</a></p>"
                   "<p><a href=\"Page2.htm\">Second page</a></p></body></html>");
        home.write(QStringLiteral("Page2.htm"),
                   "<html><head><title>Second Page</title></head><body><p>More help.</p></body></html>");
    }

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &desktop, "open");
    }

    void init()
    {
        Windows().reset();
        Register_Help_Windows();
        desktop.opened.clear();
        Job().BrowserPage.clear();
    }

    void cleanup()
    {
        Windows().reset();
        flushDeletes();
    }

    void aboutShowsItsTextsAndOpensLinksOutside()
    {
        TestHome home; // no logo: not an error
        Show_About();
        auto *about = qobject_cast<AboutForm *>(Windows().loaded(QStringLiteral("AboutForm")));
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About VELTRANE"));
        QVERIFY(!about->hasLogo());
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("SOLVANE                3D Foot Mesh Viewer"));
        QVERIFY(!about->findChild<QLabel *>(QStringLiteral("Label2"))->text().isEmpty());
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("Version 2.08h              March 2019"));
        QVERIFY(about->findChild<QLabel *>(QStringLiteral("Label1"))->font().bold());

        for (const char *name : {"Label4", "Label5", "Label6"}) {
            auto *area = about->findChild<QPushButton *>(QLatin1String(name));
            QVERIFY(area);
            QVERIFY(area->text().isEmpty());
            QVERIFY(!area->accessibleName().isEmpty());
            area->click();
        }
        QCOMPARE(desktop.opened,
                 (QList<QUrl>{AboutForm::supportPage(), AboutForm::downloadsPage(), AboutForm::shopPage()}));

        about->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        flushDeletes();
        QVERIFY(!Windows().isLoaded(QStringLiteral("AboutForm")));

        QImage logo(64, 32, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        QVERIFY(logo.save(home.path(QStringLiteral("MASTERLOGO.JPG")), "jpeg"));
        Show_About();
        QVERIFY(qobject_cast<AboutForm *>(Windows().loaded(QStringLiteral("AboutForm")))->hasLogo());
    }

    void staticHelpTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("phrases");
        QTest::newRow("keyboard") << QStringLiteral("Help1") << QStringLiteral("Keyboard Help")
                                  << QStringList{QStringLiteral("KEYBOARD  HELP"),
                                                 QStringLiteral("left mouse button"),
                                                 QStringLiteral("right mouse button"),
                                                 QStringLiteral("press s, then 2"),
                                                 QStringLiteral("press l (lowercase L)"),
                                                 QStringLiteral("orange"),
                                                 QStringLiteral("press e"),
                                                 QStringLiteral("press m, then a"),
                                                 QStringLiteral("press v, then g")};
        QTest::newRow("foot sizes") << QStringLiteral("FootSize") << QStringLiteral("Foot Sizes")
                                    << QStringList{QStringLiteral("Template Sizes"),
                                                   QStringLiteral("Women's Athletic")};
    }

    void staticHelpTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QStringList, phrases);
        name == QLatin1String("Help1") ? Show_Keyboard_Help() : Show_Foot_Sizes();
        QWidget *window = Windows().loaded(name);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), caption);
        auto *text = window->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"));
        QVERIFY(text);
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->palette().color(QPalette::Base), QColor(255, 244, 221));
        const QString plain = text->toPlainText();
        for (const QString &phrase : phrases)
            QVERIFY2(plain.contains(phrase), qPrintable(phrase));

        window->close(); // by the title bar
        flushDeletes();
        QVERIFY(!Windows().isLoaded(name));
    }

    void footSizeTableMatchesTheChart()
    {
        Show_Foot_Sizes();
        auto *text =
            Windows().loaded(QStringLiteral("FootSize"))->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"));
        QTextTable *table = nullptr;
        for (QTextFrame *frame : text->document()->rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable *>(frame)))
                break;
        QVERIFY(table);
        QCOMPARE(table->rows(), 15);
        QCOMPARE(table->columns(), 4);
        auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
            }
            return cells;
        };
        QCOMPARE(row(0), (QStringList{QStringLiteral("Size"), QStringLiteral("Men's"), QStringLiteral("Women's Dress"),
                                      QStringLiteral("Women's Athletic")}));
        QCOMPARE(row(1), (QStringList{QStringLiteral("4"), QStringLiteral("234"), QStringLiteral("211"),
                                      QStringLiteral("215")}));
        QCOMPARE(row(10), (QStringList{QStringLiteral("13"), QStringLiteral("301"), QStringLiteral("288"), QString()}));
        QCOMPARE(row(14), (QStringList{QStringLiteral("17"), QStringLiteral("333"), QString(), QString()}));

        // The men's column is the built-in chart.
        ScriptRecord job;
        job.Gender = QStringLiteral("Male");
        Set_Default_Sizes(job);
        for (int r = 1; r <= 14; ++r)
            QCOMPARE(row(r)[1].toDouble(), Get_Template_Length(job, row(r)[0].toDouble()));
    }

    void helpBrowserShowsTheHelpPage()
    {
        TestHome home;
        writePages(home);
        Show_Help_Browser();
        QCOMPARE(Job().BrowserPage, Help_Page_Path());
        auto *browser = qobject_cast<BrowserWindow *>(Windows().loaded(QStringLiteral("Browser")));
        QVERIFY(browser);
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));
        QVERIFY(page(browser)->toPlainText().contains(QStringLiteral("Welcome to the help.")));
        auto *address = browser->findChild<QComboBox *>(QStringLiteral("cboAddress"));
        QCOMPARE(address->currentText(), Help_Page_Path());
        QCOMPARE(address->count(), 1);

        // Enter in the address box goes to what is typed there, relative to the page.
        address->lineEdit()->setText(QStringLiteral("Page2.htm"));
        QTest::keyClick(address->lineEdit(), Qt::Key_Return);
        QCOMPARE(browser->windowTitle(), QStringLiteral("Second Page"));
        QCOMPARE(address->count(), 1); // navigation adds no entries
        browser->findChild<QAction *>(QStringLiteral("Back"))->trigger();
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));
        QVERIFY(browser->findChild<QAction *>(QStringLiteral("Forward"))->isEnabled());

        // A web address goes to the desktop's browser; the page stays.
        address->lineEdit()->setText(QStringLiteral("https://www.veltrane.example/faq"));
        QTest::keyClick(address->lineEdit(), Qt::Key_Return);
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.veltrane.example/faq"))});
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));

        // Asking again while it is open keeps the window and its page.
        Job().BrowserPage = home.path(QStringLiteral("Page2.htm"));
        Show_Browser();
        QCOMPARE(Windows().loaded(QStringLiteral("Browser")), browser);
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));
    }

    void webLinkInAPageOpensOutside()
    {
        TestHome home;
        writePages(home);
        Show_Help_Browser();
        QWidget *browser = Windows().loaded(QStringLiteral("Browser"));
        QTextBrowser *view = page(browser);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Tab); // to the first link
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl(QStringLiteral("https://www.veltrane.example/manual"))});
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));
    }

    void missingOrEmptyPageIsNoError()
    {
        TestHome home;
        Show_Help_Browser(); // no help page installed
        auto *browser = qobject_cast<BrowserWindow *>(Windows().loaded(QStringLiteral("Browser")));
        QVERIFY(browser);
        QVERIFY(page(browser)->toPlainText().contains(QStringLiteral("cannot be found")));
        QVERIFY(browser->windowTitle().endsWith(QStringLiteral("Help1.Htm")));

        // Once the page exists, asking for it again shows it.
        writePages(home);
        browser->Navigate(Help_Page_Path());
        QCOMPARE(browser->windowTitle(), QStringLiteral("Solvane Help"));

        browser->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        flushDeletes();
        QVERIFY(!Windows().isLoaded(QStringLiteral("Browser")));

        Job().BrowserPage.clear();
        Show_Browser();
        browser = qobject_cast<BrowserWindow *>(Windows().loaded(QStringLiteral("Browser")));
        QCOMPARE(browser->findChild<QComboBox *>(QStringLiteral("cboAddress"))->currentText(),
                 QStringLiteral("default.htm"));
        QVERIFY(page(browser)->toPlainText().isEmpty());
    }

    void recordPathsOpenUnderTheWorkingFolder()
    {
        TestHome home;
        writePages(home);
        Job().BrowserPage = QStringLiteral("C:\\3DEriruvu\\Page2.htm");
        Show_Browser();
        QCOMPARE(Windows().loaded(QStringLiteral("Browser"))->windowTitle(), QStringLiteral("Second Page"));
    }
};

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
