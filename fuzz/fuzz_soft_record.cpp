// The soft script record (fuzz_record.h).
#include "csveva.h"
#include "fuzz_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzzrecord::saveAndReopen(
        QStringLiteral("Data/Fuzz.Csv"), data, size,
        [](ScriptRecord &job) {
            Read_CSV_EVA(job);
            return true;
        },
        Write_CSV_EVA, Build_CSV_EVA);
}
