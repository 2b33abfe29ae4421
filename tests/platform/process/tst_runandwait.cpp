#include "errors.h"
#include "runandwait.h"
#include "scriptedprompter.h"
#include "standin.h"
#include "testhome.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace {

class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// Runs `action` once the wait window is up (polled from the event loop that
// Run_And_Wait itself keeps turning).
void whenWaiting(int afterMs, std::function<void(QWidget *dialog)> action)
{
    QTimer::singleShot(afterMs, [action] { action(QApplication::activeModalWidget()); });
}

bool processGone(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return true;
    return status.readAll().contains("State:\tZ"); // a zombie has ended too
}

} // namespace

class TestRunAndWait : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init() { ui = ScriptedPrompter::install(); }
    void cleanup()
    {
        Set_Prompter(nullptr);
        for (const char *key : {"STANDIN_LOG", "STANDIN_MODE", "STANDIN_WRITE", "STANDIN_DELAY_MS", "STANDIN_EXIT"})
            qunsetenv(key);
    }

    void argumentsArriveWholeInTheWorkingFolder()
    {
        TestHome home;
        const QString folder = home.path(QStringLiteral("Program Files/Scan soft"));
        const QString program = Standin::install(folder, QStringLiteral("Veltrane.Exe"));
        QVERIFY(!program.isEmpty());
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log, QStringLiteral("ok"), {QStringLiteral("out/result.Csv")});
        const QString work = home.path(QStringLiteral("Data/Clinic 1"));
        QDir().mkpath(work);
        const QStringList args{QStringLiteral("C:\\3DEriruvu\\Data\\JB0042_Ann O'Neil.Csv"),
                               QStringLiteral("\"quoted\" & ; $(echo no shell)"), QString()};

        const RunResult result = Run_And_Wait(program, args, {work, QStringLiteral("the viewer")});

        QVERIFY(!result.stopped && !result.crashed);
        QCOMPARE(result.exitCode, 0);
        const QList<Standin::Run> runs = Standin::readLog(log);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].name, QStringLiteral("Veltrane.Exe"));
        QCOMPARE(runs[0].args, args);
        QCOMPARE(runs[0].cwd, work);
        QVERIFY(runs[0].ended);
        QVERIFY(QFileInfo::exists(work + QStringLiteral("/out/result.Csv")));
    }

    void waitsForTheEndAndKeepsPainting()
    {
        TestHome home;
        const QString program = Standin::install(home.root(), QStringLiteral("ZezuzIzov"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log, QStringLiteral("slow"), {QStringLiteral("Sent.Txt")});
        qputenv("STANDIN_DELAY_MS", "1200");

        PaintCounter window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, &window, qOverload<>(&QWidget::update));
        repaint.start(50);
        QString shownText;
        bool inputBlocked = false;
        whenWaiting(300, [&](QWidget *dialog) {
            if (!dialog)
                return;
            if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("WaitLabel")))
                shownText = label->text();
            inputBlocked = QApplication::activeModalWidget() == dialog && dialog->isModal();
        });
        const int paintsBefore = window.paints;
        QElapsedTimer clock;
        clock.start();

        const RunResult result = Run_And_Wait(program, {}, {home.root(), QStringLiteral("the sender")});

        QVERIFY(clock.elapsed() >= 1100);
        QVERIFY(!result.stopped);
        // The stand-in wrote its file at its very end: seeing it proves the wait.
        QVERIFY(QFileInfo::exists(home.path(QStringLiteral("Sent.Txt"))));
        QVERIFY(Standin::readLog(log).value(0).ended);
        QVERIFY2(window.paints - paintsBefore >= 5, qPrintable(QString::number(window.paints - paintsBefore)));
        QCOMPARE(shownText, QStringLiteral("Waiting for the sender..."));
        QVERIFY(inputBlocked);
        QCOMPARE(QApplication::activeModalWidget(), nullptr); // the wait window is gone
        QVERIFY(ui->calls.isEmpty());
    }

    void failingProgramReturnsItsExitCode()
    {
        TestHome home;
        const QString program = Standin::install(home.root(), QStringLiteral("ZIDodur"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log, QStringLiteral("fail"), {QStringLiteral("Sent.Txt")});
        qputenv("STANDIN_EXIT", "3");

        const RunResult result = Run_And_Wait(program, {QStringLiteral("Job.Zip")}, {home.root(), {}});

        QCOMPARE(result.exitCode, 3);
        QVERIFY(!result.stopped && !result.crashed);
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Sent.Txt"))));
        QVERIFY(ui->calls.isEmpty());
    }

    void stopWaitingAsksThenEndsAHangingProgram()
    {
        TestHome home;
        const QString program = Standin::install(home.root(), QStringLiteral("StartScanner.Exe"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log, QStringLiteral("hang"), {QStringLiteral("Scan.Wrl")});
        ui->answers << Prompter::Answer::No << Prompter::Answer::Yes;
        bool stillRunningAfterNo = false;
        auto pressStop = [](QWidget *dialog) {
            QVERIFY(dialog);
            auto *stop = dialog->findChild<QPushButton *>(QStringLiteral("StopWaiting"));
            QVERIFY(stop);
            QCOMPARE(stop->text(), QStringLiteral("Stop Waiting"));
            stop->click();
        };
        whenWaiting(300, pressStop);
        whenWaiting(700, [&](QWidget *dialog) {
            const QList<Standin::Run> runs = Standin::readLog(log);
            stillRunningAfterNo = runs.size() == 1 && !processGone(runs[0].pid);
            pressStop(dialog);
        });
        QElapsedTimer clock;
        clock.start();

        const RunResult result = Run_And_Wait(program, {}, {home.root(), QStringLiteral("the scanner")});

        QVERIFY(clock.elapsed() < 10000);
        QVERIFY(result.stopped);
        QVERIFY(stillRunningAfterNo);
        QCOMPARE(ui->calls.size(), 2);
        QCOMPARE(ui->calls[0].buttons, Prompter::Buttons::YesNo);
        QVERIFY(ui->calls[0].text.startsWith(QStringLiteral("Stop waiting for the scanner?")));
        const QList<Standin::Run> runs = Standin::readLog(log);
        QCOMPARE(runs.size(), 1);
        QVERIFY(!runs[0].ended);
        QVERIFY(processGone(runs[0].pid));
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Scan.Wrl"))));
    }

    void missingProgramRaises()
    {
        TestHome home;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Run_And_Wait(home.path(QStringLiteral("ZezuzIzov")), {}));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Run_And_Wait_Idle(home.path(QStringLiteral("ZezuzIzov")), {}));
    }

    void idleRunReturnsWhileTheProgramGoesOn()
    {
        TestHome home;
        const QString program =
            Standin::install(home.path(QStringLiteral("External/Scan Soft")), QStringLiteral("Scansoft.exe"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log, QStringLiteral("slow"), {QStringLiteral("Ready.Txt")});
        qputenv("STANDIN_DELAY_MS", "800");
        QElapsedTimer clock;
        clock.start();

        const qint64 pid = Run_And_Wait_Idle(program, {QStringLiteral("/a b")}, {home.root(), {}});

        QVERIFY(pid > 0);
        QVERIFY(clock.elapsed() < 700);
        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Ready.Txt"))));
        QTRY_VERIFY_WITH_TIMEOUT(Standin::readLog(log).value(0).ended, 5000);
        const Standin::Run run = Standin::readLog(log).value(0);
        QCOMPARE(run.pid, pid);
        QCOMPARE(run.args, QStringList{QStringLiteral("/a b")});
        QCOMPARE(run.cwd, home.root());
        QVERIFY(QFileInfo::exists(home.path(QStringLiteral("Ready.Txt"))));
    }
};

QTEST_MAIN(TestRunAndWait)
#include "tst_runandwait.moc"
