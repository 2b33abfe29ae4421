#pragma once
// A complete made-up job for the demo working folder: both feet scanned and
// saved, named as the scanners' pick-ups name a job's files, with the script
// record that names them, so the job commands (moving a job to another
// clinic among them) can be tried at once. No person's scan is involved.

#include <QString>
#include <QStringList>

#include <cstddef>

namespace samples {

// Writes into `folder` (created when missing), for the client Nora Hale:
//   Hale_Nora_L.Wrl and Hale_Nora_L[VRML].Jpg (the scan and its texture),
//   Hale_Nora_L.Lcf (the saved model), Hale_Nora_L.Jpg (its photo), the
//   same for the right foot ("_R"), and the soft script record
//   DEMO0000_Nora_Hale.Csv, whose paths name these files (a path under the
//   working folder written as records carry it).
// Returns the paths written; throws std::runtime_error or SolvaneError on
// failure.
QStringList writeDemoJob(const QString &folder, std::size_t triangles = 20000);

} // namespace samples
