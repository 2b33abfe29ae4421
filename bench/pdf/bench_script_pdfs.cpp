// Writes the soft main and "_L" documents of a submitted job with two
// 2-megapixel foot photos and a sketch, and reports how long both take.
//
//   bench_script_pdfs [--runs N] [--keep FOLDER]
//
// --keep leaves the documents and pictures in FOLDER for a look.

#include "documentfixtures.h"
#include "paths.h"
#include "scriptpdfs.h"
#include "scriptrecord.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// A photo-like picture: smooth shading with grain, so JPEG has real work.
QImage photo(int width, int height, QRgb tint)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(tint);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(24));
            const int r = (x * 200 / width + qRed(tint) / 4 + grain) & 0xff;
            const int g = (y * 180 / height + qGreen(tint) / 4 + grain) & 0xff;
            const int b = ((x + y) * 120 / (width + height) + qBlue(tint) / 4 + grain) & 0xff;
            line[x] = qRgb(r, g, b);
        }
    }
    QPainter p(&image);
    p.setBrush(QColor(230, 190, 160));
    p.drawEllipse(QRectF(width * 0.3, height * 0.1, width * 0.4, height * 0.8));
    return image;
}

QImage sketch()
{
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 4));
    p.drawEllipse(QRectF(200, 100, 300, 700));
    p.drawEllipse(QRectF(700, 100, 300, 700));
    p.drawText(QRectF(0, 820, 1200, 60), Qt::AlignCenter, QStringLiteral("extra padding under the 1st MPJ"));
    return image;
}

// The document tests' filled-in job, its files in `folder` and with photos
// and a sketch, so the image pages have real pictures to place.
ScriptRecord benchJob(const QString &folder)
{
    ScriptRecord j = sampleJob();
    j.PriorityReturn = true;
    j.CurrentFolder = folder;
    j.PdfFile = folder + QStringLiteral("/AB0042_Ann_Lee.Pdf");
    j.FullPdfFile = folder + QStringLiteral("/AB0042_Ann_Lee_L.Pdf");
    j.LeftScanFile = folder + QStringLiteral("/Lee_Ann_L.Wrl");
    j.RightScanFile = folder + QStringLiteral("/Lee_Ann_R.Wrl");
    j.LeftLcfFile = folder + QStringLiteral("/AB0042_Ann_Lee_L.Lcf");
    j.RightLcfFile = folder + QStringLiteral("/AB0042_Ann_Lee_R.Lcf");
    j.LeftGraphicFile = folder + QStringLiteral("/Lee_Ann_L[VRML].Jpg");
    j.RightGraphicFile = folder + QStringLiteral("/Lee_Ann_R[VRML].Jpg");
    j.JobImageFile = folder + QStringLiteral("/AB0042_Ann_Lee.Jpg");
    return j;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("runs"), QStringLiteral("Timed runs."), QStringLiteral("N"), QStringLiteral("10")});
    parser.addOption(
        {QStringLiteral("keep"), QStringLiteral("Keep the documents in FOLDER."), QStringLiteral("FOLDER")});
    parser.process(app);

    QTemporaryDir temp;
    const QString folder = parser.isSet(QStringLiteral("keep")) ? parser.value(QStringLiteral("keep")) : temp.path();
    QDir().mkpath(folder);
    qputenv("SOLVANE_HOME", folder.toLocal8Bit());

    ScriptRecord job = benchJob(folder);
    photo(1632, 1224, qRgb(200, 120, 80)).save(job.LeftGraphicFile, "JPEG", 90);
    photo(1632, 1224, qRgb(80, 140, 200)).save(job.RightGraphicFile, "JPEG", 90);
    sketch().save(job.JobImageFile, "JPEG", 90);
    QImage logo(400, 120, QImage::Format_RGB32);
    logo.fill(QColor(40, 90, 160));
    logo.setDotsPerMeterX(3780); // 96 dpi
    logo.setDotsPerMeterY(3780);
    logo.save(Paths::file(QStringLiteral("ClinicLogo.Jpg")), "JPEG", 90);

    const ScriptPdfRequest request{JobKind::Soft, PdfCommand::SubmitJob, {}};
    Write_Script_PDFs(job, request); // warm-up: fonts and image plug-ins load once

    const int runs = qMax(1, parser.value(QStringLiteral("runs")).toInt());
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        Write_Script_PDFs(job, request);
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    std::printf("soft main + _L with two 2-megapixel photos and a sketch, %d runs:\n", runs);
    std::printf("  min %.1f ms, median %.1f ms, max %.1f ms (target under 250 ms)\n", times.first(),
                times[times.size() / 2], times.last());
    std::printf("  sizes: main %lld bytes, _L %lld bytes\n", QFileInfo(job.PdfFile).size(),
                QFileInfo(job.FullPdfFile).size());
    return 0;
}
