// The rigid script record (fuzz_record.h); a file with a soft title is not
// taken, as "Open Script" of the rigid window does not take it.
#include "fuzz_record.h"
#include "rigidrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzzrecord::saveAndReopen(
        QStringLiteral("Data/R_Fuzz.Csv"), data, size,
        [](ScriptRecord &job) { return Read_Csv_Rigid(job, job.CsvFile); }, Write_CSV_Rigid, Build_CSV_Rigid);
}
