// solvane_make_samples <folder> [triangles]
// Writes the sample foot scans (VRML with texture photos, binary STL) into a
// folder, for the demo working folder and for benchmarks.
#include "samplefoot.h"

#include <QGuiApplication>
#include <QTextStream>

#include <exception>

int main(int argc, char *argv[])
{
    // JPEG writing needs the image plugins, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: solvane_make_samples <folder> [triangles per foot]\n";
        return 2;
    }
    bool ok = true;
    const qulonglong triangles = args.size() == 3 ? args.at(2).toULongLong(&ok) : 20000;
    if (!ok || triangles < 100 || triangles > 20000000) {
        err << "solvane_make_samples: the triangle count must be a number from 100 to 20000000\n";
        return 2;
    }
    try {
        QTextStream out(stdout);
        for (const QString &path : samples::writeSampleScans(args.at(1), triangles))
            out << path << '\n';
    } catch (const std::exception &error) {
        err << "solvane_make_samples: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
