#include "demojob.h"

#include "csveva.h"
#include "jobnames.h"
#include "lcf_file.h"
#include "samplefoot.h"
#include "scriptrecord.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace samples {

namespace {

// One foot as a pick-up leaves it: the scan with its texture, the saved
// model and the photo the record names. Returns the paths written.
QStringList writePickedFoot(const QString &folder, const QString &base, Foot foot, std::size_t triangles,
                            ScriptRecord &job)
{
    const QDir dir(folder);
    const QString scan = writeVrmlScan(folder, base, foot, triangles);
    const QString model = dir.filePath(base + QStringLiteral(".Lcf"));
    mesh::saveLcfFile(makeFoot(foot, triangles), QFileInfo(model).filesystemFilePath());
    const QString photo = dir.filePath(base + QStringLiteral(".Jpg"));
    if (!makeTexturePhoto().save(photo, "JPG", 90))
        throw std::runtime_error("Cannot write " + photo.toStdString());
    const bool left = foot == Foot::Left;
    (left ? job.LeftScanFile : job.RightScanFile) = scan;
    (left ? job.LeftLcfFile : job.RightLcfFile) = model;
    (left ? job.LeftGraphicFile : job.RightGraphicFile) = photo;
    return {scan, dir.filePath(base + QStringLiteral("[VRML].Jpg")), model, photo};
}

} // namespace

QStringList writeDemoJob(const QString &folder, std::size_t triangles)
{
    QDir().mkpath(folder);
    ScriptRecord job;
    job.CurrentFolder = QDir::cleanPath(folder);
    // The demo's counter starts at 0001: the sample's number is never
    // handed out to a new job.
    job.JobNumber = QStringLiteral("DEMO0000");
    job.ClientFirstName = QStringLiteral("Nora");
    job.ClientSurname = QStringLiteral("Hale");
    job.Gender = QStringLiteral("Female");
    job.PodiatristName = QStringLiteral("Dr Mia Chen");
    job.ClinicName = QStringLiteral("Demo Clinic");
    job.FootSizeL = job.FootSizeR = QStringLiteral("6.0");

    // The pick-ups' names: surname, first name and the foot's letter.
    QStringList written = writePickedFoot(job.CurrentFolder, QStringLiteral("Hale_Nora_L"), Foot::Left, triangles, job);
    written << writePickedFoot(job.CurrentFolder, QStringLiteral("Hale_Nora_R"), Foot::Right, triangles, job);
    job.CsvFile = QDir(job.CurrentFolder).filePath(JobBaseName(job) + QStringLiteral(".Csv"));
    Write_CSV_EVA(job);
    written << job.CsvFile;
    return written;
}

} // namespace samples
