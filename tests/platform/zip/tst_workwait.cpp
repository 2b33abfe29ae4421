// Work the user waits for runs beside the window thread: the windows keep
// painting under the wait cursor, a window cannot be closed under the work,
// and the work's failure reaches the caller.
#include "errors.h"
#include "workwait.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Waits on the worker until the window thread has done `flag`'s part, or
// gives up after a while (the test then fails instead of hanging).
void waitFor(const std::atomic<bool> &flag)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!flag && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace

class TestWorkWait : public QObject
{
    Q_OBJECT

private slots:
    void windowsKeepWorkingUnderTheWaitCursor()
    {
        QWidget window;
        window.show();
        std::atomic<bool> timerRan{false};
        Qt::CursorShape shape = Qt::ArrowCursor;
        int polls = 0, pollsAfterWork = 0;
        std::atomic<bool> workDone{false};
        QTimer::singleShot(0, &window, [&] {
            shape = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
            // A window cannot be closed under the work.
            window.close();
            timerRan = true;
        });
        Wait_For_Work(
            [&] {
                waitFor(timerRan);
                workDone = true;
            },
            [&] {
                ++polls;
                pollsAfterWork += workDone ? 1 : 0;
            });
        QVERIFY(timerRan);
        QCOMPARE(shape, Qt::WaitCursor);
        QVERIFY(window.isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(polls >= 2);
        QVERIFY(pollsAfterWork >= 1); // told once more when the work has ended
        window.close();
        QVERIFY(!window.isVisible());
    }

    void aFailureReachesTheCaller()
    {
        int polls = 0;
        try {
            Wait_For_Work([] { throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("the disk is full")); },
                          [&] { ++polls; });
            QFAIL("the failure was lost");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.description(), QStringLiteral("the disk is full"));
        }
        QVERIFY(polls >= 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestWorkWait)
#include "tst_workwait.moc"
