// solvane_make_drawing_data <working folder>
// Adds the installation files of the drawing tools (template outlines,
// feature blocks and icons, "Graphics.Lib", "GraphicImage.Jpg") that the
// working folder lacks; files already there are left as they are. Prints
// each file written.
#include "installdata.h"

#include <QGuiApplication>
#include <QTextStream>

#include <exception>

int main(int argc, char *argv[])
{
    // Icons and the sketch picture are painted offscreen: no screen needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: solvane_make_drawing_data <working folder>\n";
        return 2;
    }
    try {
        QTextStream out(stdout);
        for (const QString &path : installdata::writeMissing(args.at(1)))
            out << path << '\n';
    } catch (const std::exception &error) {
        err << "solvane_make_drawing_data: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
