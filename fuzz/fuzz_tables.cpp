// The tables the clinic edits by hand: the soft and rigid option tables
// (counted sections), the help links of the rigid grid and a size table.
// Each input is read as every one of them. A table keeps what it held, and
// its counts are the numbers of entries read.
#include "fuzz_home.h"
#include "rigidtables.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "softtables.h"

#include <cmath>

namespace {

void requireCount(int count, const QStringList &table, const char *what)
{
    if (count != table.size()) {
        std::fprintf(stderr, "%s: count %d, %lld entries\n", what, count, static_cast<long long>(table.size()));
        fuzzhome::fail("a table's count is not the number of its entries");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (const char *name : {"Solvane.Tbl", "Solvane_Rigids.Tbl", "Help_Links.Cfg", "FootSize1.Dat"})
        fuzzhome::put(QString::fromLatin1(name), data, size);

    ScriptRecord job;
    if (Read_Tables(job)) {
        for (int list = 0; list < 4; ++list)
            if (Option_List_Items(job, SoftOptionList(list)).isEmpty())
                fuzzhome::fail("a soft list offers nothing");
        requireCount(job.OrthoticStyleTableCount, job.OrthoticStyleTable, "styles");
        requireCount(job.EvaDensityTableCount, job.EvaDensityTable, "densities");
        requireCount(job.TopCoverTableCount, job.TopCoverTable, "top covers");
        requireCount(job.InsoleOptionTableCount, job.InsoleOptionTable, "insole options");
    }
    if (Read_Tables_Rigids(job)) {
        requireCount(job.ShellStyleTableCount, job.ShellStyleTable, "shell styles");
        requireCount(job.ShellMaterialTableCount, job.ShellMaterialTable, "shell materials");
        requireCount(job.RigidTopCoverTableCount, job.RigidTopCoverTable, "rigid top covers");
        requireCount(job.RigidInsoleOptionTableCount, job.RigidInsoleOptionTable, "rigid insole options");
    }
    QStringList links(82, QStringLiteral("kept"));
    Read_Help_Links(links);
    if (links.size() != 82)
        fuzzhome::fail("the help links are not one a grid row");

    job.Gender = QStringLiteral("Male");
    try {
        Read_Size_File(job, fuzzhome::path(QStringLiteral("FootSize1.Dat")));
    } catch (const SolvaneError &) {
        return 0;
    }
    if (job.SizeChartCount <= 0 || job.SizeChartSizes.size() < job.SizeChartCount
        || job.SizeChartLengths.size() < job.SizeChartCount)
        fuzzhome::fail("a size table that read has no rows");
    for (const double footSize : {0.0, 4.5, 9.0, 1e9})
        if (!std::isfinite(Get_Template_Length(job, footSize)))
            fuzzhome::fail("a size table gives a template length that is no number");
    Size_List_Texts(job);
    return 0;
}
