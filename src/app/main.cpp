#include "mainwindow.h"
#include "programparts.h"
#include "shellprompter.h"
#include "windowregistry.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Solvane"));
    // The program ends when its main window closes, not when some other
    // window happens to be the last one open.
    QApplication::setQuitOnLastWindowClosed(false);
    Set_Prompter(std::make_shared<ShellPrompter>());
    // Every window is made on first use; here each part says how.
    Join_Program_Parts();
    // A part left out is a fault of the build: a debug build stops here.
    Q_ASSERT_X(Missing_Program_Parts().isEmpty(), "main", qPrintable(Missing_Program_Parts().join(u", ")));

    int status = 0;
    {
        MainForm window;
        QObject::connect(&window, &MainForm::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        const StartupOutcome outcome = window.Form_Load(Startup_Command_Line(QCoreApplication::arguments()));
        if (outcome == StartupOutcome::Ready) {
            window.show();
            // The start-up benchmark: end as soon as the window stands ready.
            const bool exitAtReady = qEnvironmentVariableIntValue("SOLVANE_EXIT_AT_READY") == 1;
            if (exitAtReady) {
                QTimer::singleShot(0, &window, [&window] {
                    std::fputs(qPrintable(QStringLiteral("solvane: ") + window.statusText() + u'\n'), stdout);
                    window.close();
                });
            }
            status = app.exec();
            if (exitAtReady && window.statusText() != StartupText::kReady)
                status = 2;
        } else {
            window.Unload_All();
            status = outcome == StartupOutcome::AlreadyRunning ? 0 : 1;
        }
    }
    // Windows outside the shut-down list end with the program.
    Windows().reset();
    return status;
}
