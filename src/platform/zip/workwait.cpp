#include "workwait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);

// A window closed in the middle of the work would pull its state away from
// under it: close requests are refused until the work is done.
class RefuseClose : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }
};

class WaitCursor
{
public:
    WaitCursor()
        : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};

} // namespace

void Wait_For_Work(const std::function<void()> &work, const std::function<void()> &poll)
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex);
        done = true;
        ended.notify_all();
    });

    // Whatever happens here, the worker is waited for before this returns.
    std::exception_ptr pollFailure;
    auto pollSafely = [&] {
        if (pollFailure)
            return;
        try {
            poll();
        } catch (...) {
            pollFailure = std::current_exception();
        }
    };

    QCoreApplication *app = QCoreApplication::instance();
    const bool pumping = app && QThread::currentThread() == app->thread();
    {
        const WaitCursor cursor;
        RefuseClose refuseClose;
        if (pumping)
            app->installEventFilter(&refuseClose);
        for (;;) {
            pollSafely();
            if (pumping)
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            std::unique_lock lock(mutex);
            if (ended.wait_for(lock, kPollInterval, [&] { return done; }))
                break;
        }
        if (pumping)
            app->removeEventFilter(&refuseClose);
    }
    worker.join();
    pollSafely();
    if (failure)
        std::rethrow_exception(failure);
    if (pollFailure)
        std::rethrow_exception(pollFailure);
}
