// The scanner settings ("MiniScanner.Cfg", "Pellmar.Cfg") as every intake
// window loads them, and the Pellmar scanner's drop file as a scan run
// looks at it before and after.
#include "fuzz_home.h"
#include "pellmarpickup.h"
#include "scannersettings.h"
#include "scriptrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (const char *name : {"MiniScanner.Cfg", "Pellmar.Cfg"})
        fuzzhome::put(QString::fromLatin1(name), data, size);

    for (const IntakeScanner scanner :
         {IntakeScanner::General, IntakeScanner::RuruZirorur, IntakeScanner::Lsr, IntakeScanner::Pellmar}) {
        ScriptRecord job;
        job.DataFolder = fuzzhome::path(QStringLiteral("Data/"));
        job.CurrentFolder = fuzzhome::path(QStringLiteral("Data"));
        const ScannerSettings settings = Load_Scanner_Settings(scanner, job);
        if (job.ScannerProgram != settings.program)
            fuzzhome::fail("the job does not take the window's scanner program");
        if (scanner == IntakeScanner::Pellmar) {
            if (!settings.dataFolder.isEmpty() && !settings.dataFolder.endsWith(u'/')
                && !settings.dataFolder.endsWith(u'\\'))
                fuzzhome::fail("a drop folder without its final separator");
            if (!Pellmar_Drop_File(settings.dataFolder).startsWith(settings.dataFolder))
                fuzzhome::fail("the drop file is not in the drop folder");
        }
    }

    // The drop file itself, whatever the scanner left in it.
    const DropFileState none;
    const DropFileState left = Drop_File_State(fuzzhome::put(QStringLiteral("Drop.wrl"), data, size));
    if (!left.exists || left.size != qint64(size) || !Is_New_Drop_File(none, left) || Is_New_Drop_File(left, left))
        fuzzhome::fail("a drop file is not seen as it is");
    return 0;
}
