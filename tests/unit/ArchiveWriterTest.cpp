#include "data/OArchiveWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"

// Entries read back byte for byte through the kvtool_roundtrip and game_data
// end-to-end scripts and every test that loads from a TestArchive.
TEST(ArchiveWriter, MissingFolderAndUnwritableTargetAreErrors) {
    TempDir dir;
    OArchiveWriter writer;
    std::string error;
    EXPECT_FALSE(writer.AddFolder(dir.File("absent"), error));
    EXPECT_FALSE(error.empty());

    writer.Add("Data/A", {1, 2, 3});
    error.clear();
    EXPECT_FALSE(writer.Write(dir.File("no/such/folder/a.Kvr"), error));
    EXPECT_FALSE(error.empty());
}
