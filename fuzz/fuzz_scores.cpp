// Feeds arbitrary bytes to the high-score loader as a scrambled table file,
// then lists, queries and rewrites the table and reads it back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "data/OScoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzScratchFile("TP.Kv", data, size);

    OScoreTable table(path, 10, "");
    if (!table.Load() || table.GetCount() > OScoreTable::kMaxRecords) {
        std::abort();
    }
    for (size_t i = 0; i < table.GetCount(); ++i) {
        const ScoreEntry& entry = table.GetEntry(i);
        table.Qualifies(entry.score);
    }
    if (table.GetCount() == 0) {
        return 0;
    }
    // What the table writes must read back as the same records.
    const size_t count = table.GetCount();
    table.Insert(table.GetEntry(0).name, table.GetEntry(0).score, "Easy");
    OScoreTable reread(path, 10, "");
    if (!reread.Load() || reread.GetCount() != count) {
        std::abort();
    }
    for (size_t i = 0; i < count; ++i) {
        if (reread.GetEntry(i).score != table.GetEntry(i).score) {
            std::abort();
        }
    }
    return 0;
}
