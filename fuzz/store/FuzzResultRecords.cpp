// List%05d.dat of the results diary: any bytes read without harm; the records read (all of them, or
// those before the damage) write, and read back to the same bytes.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/GameResultFile.h"
#include "store/GameResultReport.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ResultRecordsRead read = decodeResultRecords(std::span(data, size));
    const auto bytes = encodeResultRecords(read.records);
    const ResultRecordsRead back = decodeResultRecords(bytes);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.records.size() == read.records.size());
    FUZZ_CHECK(encodeResultRecords(back.records) == bytes);
    // Any margin, komi or text makes a CSV line.
    const auto csv = resultCsvBytes(u"g", read.records, size % 2 == 0);
    FUZZ_CHECK(csv.size() >= 4 && csv[0] == 0xFF && csv[1] == 0xFE);
    return 0;
}
