#include "data/OResourceArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/OFileNotFound.h"
#include "data/OArchiveWriter.h"
#include "data/Scrambler.h"
#include "render/OTexture.h"
#include "support/TempDir.h"

namespace {

using Buffer = std::unique_ptr<uint8_t[]>;

// Hand-made archive bytes, so tests can write records no writer would: short
// lengths, wild offsets, more records than the file holds.
class RawArchive {
public:
    explicit RawArchive(int32_t count) : bytes(OResourceArchive::kHeaderSize, '\0') {
        PutWord(8, static_cast<uint32_t>(count));
    }
    void Record(uint32_t length, uint32_t size, uint32_t offset, std::string name) {
        AppendWord(length);
        AppendWord(size);
        AppendWord(offset);
        Scrambler::Archive(reinterpret_cast<uint8_t*>(name.data()),
                           std::min(name.size(), Scrambler::kArchiveScrambledBytes));
        bytes += name;
    }
    // A well-formed record for data that Data() will place at offset.
    void Entry(const std::string& name, uint32_t size, uint32_t offset) {
        Record(static_cast<uint32_t>(12 + name.size()), size, offset, name);
    }
    uint32_t End() const { return static_cast<uint32_t>(bytes.size()); }
    void Data(std::string data) {
        Scrambler::Archive(reinterpret_cast<uint8_t*>(data.data()),
                           std::min(data.size(), Scrambler::kArchiveScrambledBytes));
        bytes += data;
    }
    void Raw(const std::string& data) { bytes += data; }
    std::string bytes;

private:
    void PutWord(size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
    void AppendWord(uint32_t value) {
        bytes.append(4, '\0');
        PutWord(bytes.size() - 4, value);
    }
};

class ArchiveTest : public ::testing::Test {
protected:
    OResourceArchive& Load(const std::string& bytes) {
        TempDir::Write(file, bytes);
        archive.SetPath(file);
        EXPECT_TRUE(archive.ReadDirectory());
        return archive;
    }
    std::string OpenText(const std::string& name) {
        Buffer data(archive.Open(name));
        if (!data)
            return "<null>";
        return std::string(reinterpret_cast<char*>(data.get()), archive.lastSize);
    }
    TempDir dir;
    std::string file = dir.File("Data/Resource.Kvr");
    OResourceArchive archive{file};
};

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string Pack(OArchiveWriter& writer) {
    std::vector<uint8_t> archive;
    std::string error;
    EXPECT_TRUE(writer.Build(archive, error)) << error;
    return std::string(archive.begin(), archive.end());
}

}  // namespace

TEST_F(ArchiveTest, NamesMatchRegardlessOfAsciiLetterCase) {
    OArchiveWriter writer;
    writer.Add("Data/Rails.Txt", Bytes("rails"));
    Load(Pack(writer));

    EXPECT_EQ(OpenText("data/rails.txt"), "rails");
    EXPECT_EQ(OpenText("DATA/RAILS.TXT"), "rails");
    EXPECT_TRUE(archive.Contains("dAtA/RaIlS.tXt"));
    EXPECT_EQ(archive.GetSize("DATA/rails.TXT"), 5u);
    // Separators are not normalised.
    EXPECT_FALSE(archive.Contains("Data\\Rails.Txt"));
    // The stored name keeps its case.
    EXPECT_EQ(archive.Directory().at("data/rails.txt")->name, "Data/Rails.Txt");
    EXPECT_EQ(archive.GetHeaderWord(2), 1u);
}

TEST_F(ArchiveTest, UnknownNamesGiveNothingAndLeaveLastSizeAlone) {
    OArchiveWriter writer;
    writer.Add("Data/Game.Cfg", Bytes("abc"));
    Load(Pack(writer));
    ASSERT_EQ(OpenText("Data/Game.Cfg"), "abc");

    EXPECT_EQ(archive.Open("Data/Missing.Cfg"), nullptr);
    EXPECT_EQ(archive.lastSize, 3u);
    EXPECT_EQ(archive.GetSize("Data/Missing.Cfg"), 0u);
    EXPECT_FALSE(archive.Contains("Data/Missing.Cfg"));
}

TEST_F(ArchiveTest, EmptyEntryIsOneNulByte) {
    OArchiveWriter writer;
    writer.Add("Data/Full.Txt", Bytes("full"));
    writer.Add("Data/Empty.Txt", {});
    Load(Pack(writer));
    Buffer full(archive.Open("Data/Full.Txt"));
    ASSERT_EQ(archive.lastSize, 4u);

    Buffer empty(archive.Open("Data/Empty.Txt"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], 0);
    EXPECT_EQ(archive.lastSize, 0u);
}

TEST_F(ArchiveTest, OnlyTheFirst2048BytesOfAnEntryAreScrambledOnDisk) {
    std::string data(5000, 'x');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>('a' + i % 26);
    OArchiveWriter writer;
    writer.Add("Data/Big.Bin", Bytes(data));
    const std::string bytes = Pack(writer);
    const size_t offset = bytes.size() - data.size();
    for (size_t i = 0; i < data.size(); ++i) {
        const uint8_t expected =
            static_cast<uint8_t>(data[i]) ^ (i < 2048 ? Scrambler::kArchiveSeed : 0);
        ASSERT_EQ(static_cast<uint8_t>(bytes[offset + i]), expected) << "byte " << i;
    }
    Load(bytes);
    Buffer read(archive.Open("Data/Big.Bin"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(read.get()), 5000), data);
    EXPECT_EQ(read[5000], 0);
    EXPECT_EQ(archive.lastSize, 5000u);
}

TEST_F(ArchiveTest, NamesLongerThan2048BytesKeepTheirTailPlain) {
    const std::string name = "Data/" + std::string(2100, 'N') + ".Txt";
    RawArchive raw(1);
    const uint32_t dataOffset = raw.End() + 12 + static_cast<uint32_t>(name.size());
    // The writer's record, checked by hand: scrambled head, plain tail.
    std::string onDisk = name;
    Scrambler::Archive(reinterpret_cast<uint8_t*>(onDisk.data()), 2048);
    raw.Record(static_cast<uint32_t>(12 + name.size()), 2, dataOffset, "");
    raw.Raw(onDisk);
    raw.Data("ok");
    Load(raw.bytes);
    EXPECT_EQ(OpenText(name), "ok");

    OArchiveWriter writer;
    writer.Add(name, Bytes("ok"));
    EXPECT_EQ(Pack(writer).substr(OResourceArchive::kHeaderSize + 12, name.size()), onDisk);
}

TEST_F(ArchiveTest, LaterRecordWithTheSameNameWins) {
    OArchiveWriter writer;
    writer.Add("Data/Credits.Kv", Bytes("first"));
    writer.Add("DATA/CREDITS.KV", Bytes("second"));
    Load(Pack(writer));
    EXPECT_EQ(archive.Directory().size(), 1u);
    EXPECT_EQ(OpenText("Data/Credits.Kv"), "second");
    EXPECT_EQ(archive.Directory().begin()->second->name, "DATA/CREDITS.KV");
}

TEST_F(ArchiveTest, MissingArchiveSaysSoAndServesNothing) {
    archive.SetPath(dir.File("Data/Nowhere.Kvr"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(archive.ReadDirectory());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File was not opened\n");
    EXPECT_TRUE(archive.Directory().empty());
    EXPECT_EQ(archive.Open("Data/Rails.Txt"), nullptr);
}

TEST_F(ArchiveTest, ArchiveRemovedAfterReadingServesNothing) {
    OArchiveWriter writer;
    writer.Add("Data/A.Txt", Bytes("a"));
    Load(Pack(writer));
    std::filesystem::remove(file);
    EXPECT_TRUE(archive.Contains("Data/A.Txt"));
    EXPECT_EQ(archive.Open("Data/A.Txt"), nullptr);
}

TEST_F(ArchiveTest, SetPathForgetsTheOldDirectory) {
    OArchiveWriter writer;
    writer.Add("Data/A.Txt", Bytes("a"));
    Load(Pack(writer));
    archive.SetPath(dir.File("other.Kvr"));
    EXPECT_FALSE(archive.Contains("Data/A.Txt"));
    EXPECT_EQ(archive.GetPath(), dir.File("other.Kvr"));
}

// Damage: every case keeps the good records before the damage and reads
// nothing wild after it.
TEST_F(ArchiveTest, RecordLengthBelowTwelveEndsTheDirectory) {
    for (uint32_t badLength : {0u, 11u}) {
        // Header, "Good" (12 + 4), the bad record (12), "After" (12 + 5).
        const uint32_t data = 32 + 16 + 12 + 17;
        RawArchive raw(3);
        raw.Entry("Good", 4, data);
        raw.Record(badLength, 1, data, "");
        raw.Entry("After", 1, data);
        ASSERT_EQ(raw.End(), data);
        raw.Data("good");
        Load(raw.bytes);
        EXPECT_EQ(OpenText("Good"), "good") << badLength;
        EXPECT_EQ(archive.Directory().size(), 1u) << badLength;
        EXPECT_FALSE(archive.Contains("After"));
    }
}

TEST_F(ArchiveTest, CountLargerThanTheFileHoldsReadsOnlyWhatIsThere) {
    for (int32_t count : {3, 1000000, INT32_MAX}) {
        RawArchive raw(count);
        raw.Entry("One", 3, 32 + 2 * (12 + 3));
        raw.Entry("Two", 3, 32 + 2 * (12 + 3) + 3);
        raw.Data("oneTWO");
        Load(raw.bytes);
        EXPECT_EQ(archive.Directory().size(), 2u) << count;
        EXPECT_EQ(OpenText("One"), "one");
        EXPECT_EQ(OpenText("two"), "TWO");
    }
}

TEST_F(ArchiveTest, NegativeCountAndShortHeaderGiveAnEmptyDirectory) {
    RawArchive negative(-5);
    negative.Entry("One", 0, 0);
    Load(negative.bytes);
    EXPECT_TRUE(archive.Directory().empty());

    Load("KVR1 but short");
    EXPECT_TRUE(archive.Directory().empty());
    Load("");
    EXPECT_TRUE(archive.Directory().empty());
}

TEST_F(ArchiveTest, NameRunningPastTheEndIsRefusedWithoutAllocatingIt) {
    RawArchive raw(2);
    raw.Entry("Good", 0, 0);
    // Claims a 4 GiB name in a file of a few dozen bytes.
    raw.Record(0xFFFFFFFFu, 0, 0, "short");
    Load(raw.bytes);
    EXPECT_EQ(archive.Directory().size(), 1u);
    EXPECT_TRUE(archive.Contains("Good"));

    RawArchive truncated(1);
    truncated.Record(12 + 10, 0, 0, "Half");
    Load(truncated.bytes);
    EXPECT_TRUE(archive.Directory().empty());
}

TEST_F(ArchiveTest, TruncatedRecordHeaderEndsTheDirectory) {
    RawArchive raw(2);
    raw.Entry("Good", 0, 0);
    raw.Raw(std::string(7, '\x20'));
    Load(raw.bytes);
    EXPECT_EQ(archive.Directory().size(), 1u);
}

TEST_F(ArchiveTest, DataRunningPastTheEndIsNotServed) {
    RawArchive raw(4);
    const uint32_t data = raw.End() + 4 * 12 + 4 + 4 + 4 + 4;
    raw.Entry("Huge", 0xFFFFFFFFu, data);  // claims 4 GiB
    raw.Entry("Tail", 10, data);           // the file holds only 6 bytes there
    raw.Entry("Wild", 1, 0xFFFFFFF0u);     // offset far beyond the end
    raw.Entry("Fine", 6, data);
    raw.Data("inside");
    Load(raw.bytes);
    ASSERT_EQ(OpenText("Fine"), "inside");
    EXPECT_EQ(archive.Open("Huge"), nullptr);
    EXPECT_EQ(archive.Open("Tail"), nullptr);
    EXPECT_EQ(archive.Open("Wild"), nullptr);
    EXPECT_EQ(archive.lastSize, 6u);
}

TEST_F(ArchiveTest, FileTruncatedAfterReadingIsNotServedPastItsEnd) {
    OArchiveWriter writer;
    writer.Add("Data/A.Bin", std::vector<uint8_t>(3000, 7));
    const std::string bytes = Pack(writer);
    Load(bytes);
    TempDir::Write(file, bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(archive.Open("Data/A.Bin"), nullptr);
}

// A damaged or missing archive is told, not just served as empty: the reader
// names each fault by record and reason, and a picture that cannot be had
// because of it is logged naming the archive and what is wrong with it.
TEST(ArchiveDamage, IsNamedByRecordAndReasonInTheDirectoryAndTheLog) {
    const std::string font = "Data/Textures/Font.Tga";
    struct Case {
        const char* what;
        std::function<std::string()> bytes;  // null: no archive file at all
        std::string damage;                  // what GetDamage holds, joined
        std::string logged;                  // the log's reason after "the archive <path>"
    };
    const Case cases[] = {
        {"missing", nullptr, "", " cannot be opened (No such file or directory)"},
        {"empty file", [] { return std::string(); },
         "the file is 0 bytes long, too short for the 32-byte header",
         " is damaged: the file is 0"},
        {"negative count", [] { return RawArchive(-3).bytes; },
         "the record count in the header is negative (-3)", " is damaged: the record count"},
        {"record length below 12",
         [] {
             RawArchive raw(3);
             raw.Entry("Good", 0, 0);
             raw.Record(5, 0, 0, "");
             return raw.bytes;
         },
         "record 2 of 3 has the length 5, below 12", " is damaged: record 2 of 3 has the length 5"},
        {"more records than the file holds",
         [] {
             RawArchive raw(3);
             raw.Entry("Good", 0, 0);
             raw.Raw("short");
             return raw.bytes;
         },
         "record 2 of 3 is cut off by the end of the file", " is damaged: record 2 of 3 is cut"},
        {"name past the end",
         [] {
             RawArchive raw(2);
             raw.Entry("Good", 0, 0);
             raw.Record(12 + 4000, 0, 0, "Data/Textures/Font.Tga");
             return raw.bytes;
         },
         "record 2 of 2 has a name of 4000 bytes that runs past the end of the file",
         " is damaged: record 2 of 2 has a name of 4000 bytes"},
        {"data past the end",
         [font] {
             RawArchive raw(2);
             raw.Entry("Good", 0, 0);
             raw.Entry(font, 5000, 60);
             return raw.bytes;
         },
         "record 2 of 2 (Data/Textures/Font.Tga) has data up to byte 5060, past the end of the "
         "file at 82",
         " is damaged: the data of Data/Textures/Font.Tga runs past its end"},
        {"sound, without the picture",
         [] {
             RawArchive raw(1);
             raw.Entry("Good", 0, 0);
             return raw.bytes;
         },
         "", " holds no entry of that name"},
    };
    OResourceArchive& archive = OResourceArchive::Instance();
    const std::string previousPath = archive.GetPath();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir(true);
        const std::string file = dir.File("Data/Resource.Kvr");
        if (c.bytes) {
            TempDir::Write(file, c.bytes());
        }
        archive.SetPath(file);
        testing::internal::CaptureStdout();
        EXPECT_EQ(archive.ReadDirectory(), c.bytes != nullptr);
        testing::internal::GetCapturedStdout();
        std::string damage;
        for (const std::string& fault : archive.GetDamage()) {
            damage += (damage.empty() ? "" : "; ") + fault;
        }
        EXPECT_EQ(damage, c.damage);

        OTexture texture;
        EXPECT_THROW(texture.Load("Font.Tga", true), OFileNotFound);
        const std::string expected = "Picture " + font + " is missing: the archive " + file;
        const std::string log = TempDir::Read("Report.html");
        EXPECT_NE(log.find(expected + c.logged), std::string::npos) << log;
    }
    archive.SetPath(previousPath);
    archive.ReadDirectory();
}
