#include "footmodelfiles.h"

#include "footviewinterface.h"
#include "lcf_file.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

#include <QFile>

#include <algorithm>
#include <exception>
#include <future>
#include <vector>

namespace {

// One foot's model file still to be written.
struct ModelWrite
{
    int foot; // 0 left, 1 right
    const mesh::Model *model;
    QString path;
    // A file already there is replaced only once the feet before it are
    // written: a failure before it must leave it as it was.
    bool replaces = false;
    std::exception_ptr failure;
    bool done = false;

    void run()
    {
        try {
            mesh::saveLcfFile(*model, path.toStdString());
            done = true;
        } catch (...) {
            failure = std::current_exception();
        }
    }
};

} // namespace

void Save_Missing_Model_Files(ScriptRecord &job)
{
    QString *paths[] = {&job.LeftLcfFile, &job.RightLcfFile};
    const QString before[] = {job.LeftLcfFile, job.RightLcfFile};
    std::vector<ModelWrite> writes;
    for (FootSide side : {FootSide::Left, FootSide::Right}) {
        const int foot = side == FootSide::Left ? 0 : 1;
        QString &model = *paths[foot];
        // A path the other foot writes first names a file by the time
        // this foot comes, as when the feet were written in turn.
        const auto writtenBefore = [&](const QString &path) {
            return std::any_of(writes.begin(), writes.end(), [&](const ModelWrite &w) { return w.path == path; });
        };
        if (Is_Absent_Path(model) || File_Exists(model) || writtenBefore(model))
            continue;
        model.replace(QStringLiteral("Glm"), QStringLiteral("Lcf"), Qt::CaseSensitive);
        if (FootView *view = Loaded_Foot_View(side))
            writes.push_back({foot, &view->model(), model, File_Exists(model) || writtenBefore(model), nullptr, false});
    }
    // With large scans the two model files took much of the command, one
    // after the other: each is now encoded and written on a thread of its
    // own. This thread waits for both, so the views' models cannot change
    // under the writers and nothing else of the job is written before the
    // models are.
    std::vector<std::future<void>> others;
    for (std::size_t i = 1; i < writes.size(); ++i)
        if (!writes[i].replaces)
            others.push_back(std::async(std::launch::async, &ModelWrite::run, &writes[i]));
    if (!writes.empty())
        writes.front().run();
    for (std::future<void> &other : others)
        other.get();
    bool failed = false;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (i > 0 && writes[i].replaces && !failed)
            writes[i].run();
        failed = failed || writes[i].failure;
    }

    // The left foot's failure is the one told, and what came after a failed
    // foot is undone (its new model file removed, its path as it was): the
    // job is left as when the feet were written in turn and the first
    // failure stopped the command.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (!writes[i].failure)
            continue;
        for (std::size_t later = i + 1; later < writes.size(); ++later)
            if (writes[later].done)
                QFile::remove(writes[later].path);
        for (int foot = writes[i].foot + 1; foot < 2; ++foot)
            *paths[foot] = before[foot];
        std::rethrow_exception(writes[i].failure);
    }
}

void Close_Foot_Views()
{
    for (FootSide side : {FootSide::Left, FootSide::Right})
        Windows().unload(View_Window_Name(side));
}
