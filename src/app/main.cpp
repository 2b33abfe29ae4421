#include "appwindows.h"
#include "mainwindow.h"
#include "shellprompter.h"
#include "windowregistry.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Solvane"));
    // The program ends when its main window closes, not when some other
    // window happens to be the last one open.
    QApplication::setQuitOnLastWindowClosed(false);
    Set_Prompter(std::make_shared<ShellPrompter>());
    Register_Shell_Windows();

    int status = 0;
    {
        MainForm window;
        QObject::connect(&window, &MainForm::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        const StartupOutcome outcome = window.Form_Load(Startup_Command_Line(QCoreApplication::arguments()));
        if (outcome == StartupOutcome::Ready) {
            window.show();
            // The start-up benchmark: end as soon as the window stands ready.
            if (qEnvironmentVariableIntValue("SOLVANE_EXIT_AT_READY") == 1)
                QTimer::singleShot(0, &window, &QWidget::close);
            status = app.exec();
        } else {
            window.Unload_All();
            status = outcome == StartupOutcome::AlreadyRunning ? 0 : 1;
        }
    }
    // Windows outside the shut-down list end with the program.
    Windows().reset();
    return status;
}
