// The settings files read at start-up: "Solvane.Cfg" (operator, scanner id,
// job counter, users), the name lists ("Podiatrist.Cfg", "Clinic.Cfg"),
// and the archive and NAS folders ("FSmenu.Cfg", "NAS.Cfg"). Each input is
// read as every one of them.
#include "fuzz_home.h"
#include "mainconfig.h"
#include "namelists.h"
#include "scriptrecord.h"
#include "startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (const char *name : {"Solvane.Cfg", "Podiatrist.Cfg", "FSmenu.Cfg", "NAS.Cfg"})
        fuzzhome::put(QString::fromLatin1(name), data, size);

    ScriptRecord job;
    try {
        const std::optional<MainConfig> config = Read_Main_Config();
        if (!config)
            fuzzhome::fail("a main configuration file that is there was not found");
        job.OperatorCode = config->line(1);
        job.ScannerId = config->line(2);
        job.JobCounterText = config->line(3);
        job.JobCounter = Counter_From_Text(job.JobCounterText);
        job.CurrentUser = config->line(4);
        job.UserList = config->userList();
        User_List_Names(job);
        User_Combo_Names(job);
    } catch (const SolvaneError &) {}

    const QStringList names = Read_Name_List(fuzzhome::path(QStringLiteral("Podiatrist.Cfg")));
    if (names.contains(QStringLiteral("End")))
        fuzzhome::fail("a name list runs past its \"End\"");
    if (Name_List_Items(QStringLiteral("podiatrist.cfg")).isEmpty())
        fuzzhome::fail("a name combo offers nothing");

    job.DataFolder = fuzzhome::path(QStringLiteral("Data/"));
    Read_Network(job);
    if (job.ArchiveFolder.isEmpty())
        fuzzhome::fail("no archive folder");
    Read_Nas_Folder(job);
    return 0;
}
