#include "data/OArchiveWriter.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/OResourceArchive.h"
#include "support/TempDir.h"

namespace {

std::string RandomName(std::mt19937& random, size_t index) {
    static const char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-";
    std::string name = "Data/";
    const size_t length = 1 + random() % 40;
    for (size_t i = 0; i < length; ++i)
        name += letters[random() % (sizeof(letters) - 1)];
    if (random() % 3 == 0)
        name += "/Sub";
    // The index keeps names distinct whatever their letter case.
    return name + "." + std::to_string(index);
}

std::vector<uint8_t> RandomBytes(std::mt19937& random) {
    // Sizes around the 2048-byte scrambled head matter most.
    static const size_t sizes[] = {0, 1, 2047, 2048, 2049, 5000, 70000};
    const size_t size = random() % 2 ? sizes[random() % 7] : random() % 9000;
    std::vector<uint8_t> data(size);
    for (auto& b : data)
        b = static_cast<uint8_t>(random());
    return data;
}

}  // namespace

TEST(ArchiveWriter, RandomEntriesReadBackByteForByte) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        std::map<std::string, std::vector<uint8_t>> expected;
        OArchiveWriter writer;
        const size_t count = random() % 40;
        for (size_t i = 0; i < count; ++i) {
            std::string name = RandomName(random, i);
            std::vector<uint8_t> data = RandomBytes(random);
            expected[name] = data;
            writer.Add(name, std::move(data));
        }
        TempDir dir;
        std::string error;
        ASSERT_TRUE(writer.Write(dir.File("R.Kvr"), error)) << error;

        OResourceArchive archive(dir.File("R.Kvr"));
        ASSERT_TRUE(archive.ReadDirectory());
        ASSERT_EQ(archive.Directory().size(), expected.size()) << "seed " << seed;
        for (const auto& [name, data] : expected) {
            std::unique_ptr<uint8_t[]> read(archive.Open(name));
            ASSERT_NE(read, nullptr) << name;
            ASSERT_EQ(archive.lastSize, data.size()) << name;
            EXPECT_EQ(std::vector<uint8_t>(read.get(), read.get() + data.size()), data)
                << "seed " << seed << " " << name;
            EXPECT_EQ(read[data.size()], 0);
        }
    }
}

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
