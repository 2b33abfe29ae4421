// The rigid order confirmation: its summary, "View PDF" and its answers.
#include "optionform_rigid.h"

#include "rigidgrid.h"
#include "rigidsummary.h"

#include "scriptedprompter.h"
#include "testhome.h"

#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

// Runs `act` on the dialog once it is up and modal.
void whenShown(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("OptionForm_Rigid"))
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start(5);
}

void press(QWidget *dialog, const char *button)
{
    dialog->findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

QString summaryShown(QWidget *dialog)
{
    return dialog->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))->toPlainText();
}

struct Fixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    QStringList viewed;

    Fixture()
    {
        Windows().reset();
        Job() = ScriptRecord{};
        Set_Wait_Skipped(true);
        Set_Rigid_Pdf_Viewer([this](const QString &pdf, QWidget *over) {
            QVERIFY(over && over->objectName() == QLatin1String("OptionForm_Rigid"));
            viewed << pdf;
        });
    }
    ~Fixture()
    {
        Set_Rigid_Pdf_Viewer({});
        Windows().reset();
        Set_Prompter(nullptr);
    }
};

} // namespace

class TestOptionFormRigid : public QObject
{
    Q_OBJECT

private slots:
    void defaultJobSummary();
    void insoleOptionsAndNotes_data();
    void insoleOptionsAndNotes();
    void dialogShowsTheSummary();
    void viewPdf_data();
    void viewPdf();
    void answers_data();
    void answers();
};

// A new rigid job's summary, line by line: the notes once, in the left block,
// and no line break after the right options.
void TestOptionFormRigid::defaultJobSummary()
{
    ScriptRecord job;
    Set_Default(job);
    const QStringList lines = Rigid_Option_Summary(job).split(QStringLiteral("\r\n"));
    QCOMPARE(lines, (QStringList{"LEFT FOOT", "Style: Standard", "Material: Standard", "Top Cover: None", "", "None",
                                 "", "None", "", "RIGHT FOOT", "Style: Standard", "Material: Standard",
                                 "Top Cover: None", "", "None"}));
}

void TestOptionFormRigid::insoleOptionsAndNotes_data()
{
    QTest::addColumn<QString>("optionsL");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("storedL");
    QTest::addColumn<QString>("leftBlock"); // from the left options to "RIGHT FOOT"

    QTest::newRow("leading None dropped and stored") << "None;Option 2;"
                                                     << "None"
                                                     << "Option 2;"
                                                     << "Option 2\r\n\r\n\r\nNone\r\n\r\n";
    QTest::newRow("None alone stays") << "None"
                                      << "None"
                                      << "None"
                                      << "None\r\n\r\nNone\r\n\r\n";
    QTest::newRow("notes on the left only") << "Option 1"
                                            << "Heel pain;Left only"
                                            << "Option 1"
                                            << "Option 1\r\n\r\nHeel pain\r\nLeft only\r\n\r\n";
}

void TestOptionFormRigid::insoleOptionsAndNotes()
{
    QFETCH(QString, optionsL);
    QFETCH(QString, notes);
    ScriptRecord job;
    job.InsoleOptionsL = optionsL;
    job.InsoleOptionsR = QStringLiteral("None;Option 4");
    job.Notes = notes;

    const QString summary = Rigid_Option_Summary(job);

    QTEST(job.InsoleOptionsL, "storedL");
    QCOMPARE(job.InsoleOptionsR, QStringLiteral("Option 4"));
    const QString leftHead = QStringLiteral("Top Cover: \r\n\r\n");
    const qsizetype from = summary.indexOf(leftHead) + leftHead.size();
    const qsizetype to = summary.indexOf(QStringLiteral("RIGHT FOOT"));
    QTEST(summary.mid(from, to - from), "leftBlock");
    QVERIFY(summary.endsWith(QStringLiteral("RIGHT FOOT\r\nStyle: \r\nMaterial: \r\nTop Cover: \r\n\r\nOption 4")));
}

void TestOptionFormRigid::dialogShowsTheSummary()
{
    Fixture fx;
    ScriptRecord &job = Job();
    job.ShellStyleL = QStringLiteral("Slim");
    job.InsoleOptionsL = QStringLiteral("None;Hooks;");
    job.Notes = QStringLiteral("Heel pain;Left only");
    QString shown;
    QFont font;
    QString title;
    whenShown([&](QWidget *dialog) {
        shown = summaryShown(dialog);
        font = dialog->findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))->font();
        title = dialog->windowTitle();
        for (const char *name : {"Command1", "Command2", "Command3"})
            QVERIFY(!dialog->findChild<QPushButton *>(QString::fromLatin1(name))->accessibleName().isEmpty());
        press(dialog, "Command2");
    });

    QVERIFY(!OptionForm_Rigid::Run_OptionForm_Rigid());

    QCOMPARE(title, QStringLiteral("Orthotic Data Selection"));
    QVERIFY(shown.startsWith(QStringLiteral("LEFT FOOT\nStyle: Slim\nMaterial: \nTop Cover: \n\nHooks\n\n\n"
                                            "Heel pain\nLeft only\n\nRIGHT FOOT\n")));
    QCOMPARE(font.family(), QStringLiteral("Arial"));
    QVERIFY(font.bold());
    QCOMPARE(font.pointSize(), 10);
    QCOMPARE(job.InsoleOptionsL, QStringLiteral("Hooks;"));
    QVERIFY(!Windows().isLoaded(QStringLiteral("OptionForm_Rigid")));
}

void TestOptionFormRigid::viewPdf_data()
{
    QTest::addColumn<bool>("fullWritten");
    QTest::newRow("both written: the _L") << true;
    QTest::newRow("main only: the main") << false;
}

void TestOptionFormRigid::viewPdf()
{
    QFETCH(bool, fullWritten);
    Fixture fx;
    ScriptRecord &job = Job();
    job.PdfFile = fx.home.path(QStringLiteral("Data/R_AB0042_Ann_Lee.Pdf"));
    job.FullPdfFile = fx.home.path(QStringLiteral("Data/R_AB0042_Ann_Lee_L.Pdf"));
    fx.home.write(QStringLiteral("Data/R_AB0042_Ann_Lee.Pdf"), "%PDF-1.4");
    if (fullWritten)
        fx.home.write(QStringLiteral("Data/R_AB0042_Ann_Lee_L.Pdf"), "%PDF-1.4");
    bool stillOpen = false;
    whenShown([&](QWidget *dialog) {
        press(dialog, "Command3");
        stillOpen = dialog->isVisible();
        press(dialog, "Command1");
    });

    QVERIFY(OptionForm_Rigid::Run_OptionForm_Rigid());

    QVERIFY(stillOpen);
    QCOMPARE(fx.viewed, QStringList{fullWritten ? job.FullPdfFile : job.PdfFile});
    QCOMPARE(Last_Status(), QStringLiteral("Opening...") + job.PdfFile);
}

void TestOptionFormRigid::answers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("quit");
    QTest::newRow("Accept") << "Command2" << true << false;
    QTest::newRow("Quit") << "Command1" << false << true;
    QTest::newRow("close box") << "close" << false << true;
    QTest::newRow("Esc") << "Esc" << false << true;
}

// Whatever the flag held before, the dialog's answer decides it; closing it
// by its frame or Esc is "Quit", never the last answer.
void TestOptionFormRigid::answers()
{
    QFETCH(QString, how);
    QFETCH(bool, before);
    Fixture fx;
    Job().OptionQuitFlag = before;
    whenShown([how](QWidget *dialog) {
        if (how == QLatin1String("close"))
            dialog->close();
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            press(dialog, how.toLatin1().constData());
    });

    QTEST(OptionForm_Rigid::Run_OptionForm_Rigid(), "quit");
    QTEST(Job().OptionQuitFlag, "quit");
    QVERIFY(!Windows().isLoaded(QStringLiteral("OptionForm_Rigid")));
}

QTEST_MAIN(TestOptionFormRigid)
#include "tst_optionform_rigid.moc"
