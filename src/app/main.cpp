#include "mainwindow.h"
#include "qtprompter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Solvane"));
    Set_Prompter(std::make_shared<QtPrompter>());
    MainForm window;
    window.show();
    return app.exec();
}
