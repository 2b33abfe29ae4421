// solvane_make_samples <folder> [triangles]
// Writes the sample foot scans (VRML with texture photos, binary STL) into a
// folder, for the demo working folder and for benchmarks.
// solvane_make_samples --job <folder> [triangles]
// Writes the demo's complete sample job into a clinic's data folder instead;
// its record names paths under the working folder ($SOLVANE_HOME).
#include "demojob.h"
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
    QStringList args = app.arguments();
    const bool job = args.size() > 1 && args.at(1) == QLatin1String("--job");
    if (job)
        args.removeAt(1);
    if (args.size() < 2 || args.size() > 3) {
        err << "usage: solvane_make_samples [--job] <folder> [triangles per foot]\n";
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
        const QStringList written =
            job ? samples::writeDemoJob(args.at(1), triangles) : samples::writeSampleScans(args.at(1), triangles);
        for (const QString &path : written)
            out << path << '\n';
    } catch (const std::exception &error) {
        err << "solvane_make_samples: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
