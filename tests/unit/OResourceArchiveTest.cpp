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
#include "sound/ArchiveStream.h"
#include "support/TempDir.h"

namespace {

using Buffer = std::unique_ptr<uint8_t[]>;

// Hand-made archive bytes, so tests can write records no writer would: short
// lengths, wild offsets, more records than the file holds.
class RawArchive {
public:
    explicit RawArchive(int32_t count) : bytes(OResourceArchive::kHeaderSize, '\0') {
        bytes.replace(8, 4, Word(static_cast<uint32_t>(count)));
    }
    void Record(uint32_t length, uint32_t size, uint32_t offset, const std::string& name) {
        bytes += Word(length) + Word(size) + Word(offset) + Scrambled(name);
    }
    // A well-formed record for data that Data() will place at offset.
    void Entry(const std::string& name, uint32_t size, uint32_t offset) {
        Record(static_cast<uint32_t>(12 + name.size()), size, offset, name);
    }
    uint32_t End() const { return static_cast<uint32_t>(bytes.size()); }
    void Data(const std::string& data) { bytes += Scrambled(data); }
    std::string bytes;

private:
    static std::string Word(uint32_t value) {
        return {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
    }
    static std::string Scrambled(std::string text) {
        Scrambler::Archive(reinterpret_cast<uint8_t*>(text.data()),
                           std::min(text.size(), Scrambler::kArchiveScrambledBytes));
        return text;
    }
};

// `count` records, the first a good one "Good" whose data "good" is placed
// at `dataAt` after what `more` appends.
std::string GoodThen(int32_t count, uint32_t dataAt, const std::function<void(RawArchive&)>& more) {
    RawArchive raw(count);
    raw.Entry("Good", 4, dataAt);
    more(raw);
    raw.Data("good");
    return raw.bytes;
}

class ArchiveTest : public ::testing::Test {
protected:
    // Packs the writer's entries into the archive file, reads its directory
    // and returns the file's bytes.
    std::string Load(const OArchiveWriter& writer) {
        std::vector<uint8_t> packed;
        std::string error;
        EXPECT_TRUE(writer.Build(packed, error)) << error;
        const std::string bytes(packed.begin(), packed.end());
        TempDir::Write(file, bytes);
        archive.SetPath(file);
        EXPECT_TRUE(archive.ReadDirectory());
        return bytes;
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

}  // namespace

// Names match whatever their ASCII letter case, and the later of two
// records of one name wins; an empty entry is one NUL byte.
TEST_F(ArchiveTest, NamesMatchRegardlessOfCaseAndTheLaterRecordWins) {
    OArchiveWriter writer;
    writer.Add("Data/Rails.Txt", Bytes("rails"));
    writer.Add("Data/Credits.Kv", Bytes("first"));
    writer.Add("DATA/CREDITS.KV", Bytes("second"));
    writer.Add("Data/Empty.Txt", {});
    const std::string bytes = Load(writer);

    EXPECT_EQ(OpenText("data/rails.txt"), "rails");
    EXPECT_EQ(OpenText("DATA/RAILS.TXT"), "rails");
    EXPECT_TRUE(archive.Contains("dAtA/RaIlS.tXt"));
    EXPECT_EQ(archive.GetSize("DATA/rails.TXT"), 5u);
    // Separators are not normalised.
    EXPECT_FALSE(archive.Contains("Data\\Rails.Txt"));
    // The stored name keeps its case.
    EXPECT_EQ(archive.Directory().at("data/rails.txt")->name, "Data/Rails.Txt");
    EXPECT_EQ(archive.GetHeaderWord(2), 4u);
    EXPECT_EQ(archive.Directory().size(), 3u);
    EXPECT_EQ(OpenText("Data/Credits.Kv"), "second");
    EXPECT_EQ(archive.Directory().at("data/credits.kv")->name, "DATA/CREDITS.KV");
    // Unknown names give nothing and leave the last size alone.
    EXPECT_EQ(archive.Open("Data/Missing.Cfg"), nullptr);
    EXPECT_EQ(archive.lastSize, 6u);
    EXPECT_EQ(archive.GetSize("Data/Missing.Cfg"), 0u);

    Buffer empty(archive.Open("Data/Empty.Txt"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], 0);
    EXPECT_EQ(archive.lastSize, 0u);

    // An archive cut short or removed after its directory was read serves
    // nothing rather than reading past the end.
    TempDir::Write(file, bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(archive.Open("Data/Credits.Kv"), nullptr);
    std::filesystem::remove(file);
    EXPECT_TRUE(archive.Contains("Data/Rails.Txt"));
    EXPECT_EQ(archive.Open("Data/Rails.Txt"), nullptr);
}

// Only the first 2048 bytes of an entry, and of a record's name, are
// scrambled on disk (reading entries back is the writer's tests' business).
TEST_F(ArchiveTest, OnlyTheFirst2048BytesOfEntriesAndNamesAreScrambledOnDisk) {
    const std::string data(5000, 'x');
    const std::string name = "Data/" + std::string(2100, 'N') + ".Txt";
    OArchiveWriter writer;
    writer.Add(name, Bytes(data));
    const std::string bytes = Load(writer);
    std::string entry = data;
    for (size_t i = 0; i < 2048; ++i)
        entry[i] = static_cast<char>(entry[i] ^ Scrambler::kArchiveSeed);
    EXPECT_TRUE(bytes.substr(bytes.size() - data.size()) == entry);
    std::string onDisk = name;
    Scrambler::Archive(reinterpret_cast<uint8_t*>(onDisk.data()), 2048);
    EXPECT_EQ(bytes.substr(OResourceArchive::kHeaderSize + 12, name.size()), onDisk);
    EXPECT_EQ(OpenText(name), data);
}

// The music's stream reads an entry from the file piece by piece: every piece
// comes unscrambled, wherever it starts or ends against the scrambled head,
// reads stop at the entry's end (whole objects only), and seeks outside the
// entry are refused without moving.
TEST_F(ArchiveTest, AStreamOverAnEntryReadsTheSameBytesAsOpenInAnyPieces) {
    std::string data(5000, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7 + i / 256);
    OArchiveWriter writer;
    writer.Add("Data/Before.Txt", Bytes("before"));
    writer.Add("Data/Music/Track.Mp3", Bytes(data));
    Load(writer);
    SDL_RWops* stream = ArchiveStream::Open(archive, "Data/Music/Track.Mp3");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(SDL_RWsize(stream), 5000);
    struct Step {
        Sint64 seekTo;  // -1: read on from where the last step ended
        size_t objectSize, objects;
        Sint64 expectedAt;  // where the read starts
        size_t expectedObjects;
    };
    const Step steps[] = {
        {-1, 1, 100, 0, 100},  {2000, 1, 100, 2000, 100}, {-1, 1, 3000, 2100, 2900},
        {-1, 1, 10, 5000, 0},  {4990, 4, 5, 4990, 2},     {0, 2500, 3, 0, 2},
        {2047, 1, 2, 2047, 2},
    };
    for (const Step& step : steps) {
        if (step.seekTo >= 0) {
            ASSERT_EQ(SDL_RWseek(stream, step.seekTo, RW_SEEK_SET), step.seekTo);
        }
        std::string got(step.objectSize * step.objects, '?');
        const size_t objects = SDL_RWread(stream, got.data(), step.objectSize, step.objects);
        EXPECT_EQ(objects, step.expectedObjects) << "at " << step.expectedAt;
        const size_t bytes = objects * step.objectSize;
        EXPECT_TRUE(got.substr(0, bytes) == data.substr(step.expectedAt, bytes))
            << "at " << step.expectedAt;
        EXPECT_EQ(SDL_RWtell(stream), step.expectedAt + static_cast<Sint64>(bytes));
    }
    EXPECT_EQ(SDL_RWseek(stream, -10, RW_SEEK_END), 4990);
    EXPECT_EQ(SDL_RWseek(stream, 11, RW_SEEK_CUR), -1);
    EXPECT_EQ(SDL_RWseek(stream, -5000, RW_SEEK_CUR), -1);
    EXPECT_EQ(SDL_RWtell(stream), 4990);
    EXPECT_EQ(SDL_RWwrite(stream, "x", 1, 1), 0u);
    EXPECT_EQ(SDL_RWclose(stream), 0);

    EXPECT_EQ(ArchiveStream::Open(archive, "Data/Music/Missing.Mp3"), nullptr);
    // An entry the file no longer holds whole is not streamed either.
    const std::string bytes = TempDir::Read(file);
    TempDir::Write(file, bytes.substr(0, bytes.size() - 1));
    EXPECT_EQ(ArchiveStream::Open(archive, "Data/Music/Track.Mp3"), nullptr);
}

// A damaged or missing archive is told, not just served as empty: the reader
// names each fault by record and reason, keeps the good records before the
// damage, never reads or allocates wild past it, and a picture that cannot be
// had because of it is logged naming the archive and what is wrong with it.
TEST(ArchiveDamage, IsNamedByRecordAndReasonAndKeepsTheGoodRecordsBeforeIt) {
    const std::string font = "Data/Textures/Font.Tga";
    struct Case {
        const char* what;
        std::function<std::string()> bytes;  // null: no archive file at all
        std::string damage;                  // what GetDamage holds, joined
        std::string served;                  // entries read back whole, joined
        std::string logged;                  // the log's reason after "the archive <path>"
    };
    const Case cases[] = {
        {"missing", nullptr, "", "", " cannot be opened (No such file or directory)"},
        {"empty file", [] { return std::string(); },
         "the file is 0 bytes long, too short for the 32-byte header", "",
         " is damaged: the file is 0"},
        {"negative count",
         [] {
             RawArchive raw(-3);
             raw.Entry("One", 0, 0);
             return raw.bytes;
         },
         "the record count in the header is negative (-3)", "", " is damaged: the record count"},
        {"record length below 12",
         [] {
             return GoodThen(3, 32 + 16 + 12 + 17, [](RawArchive& raw) {
                 raw.Record(0, 1, 0, "");
                 raw.Entry("After", 1, 0);
             });
         },
         "record 2 of 3 has the length 0, below 12", "Good", " is damaged: record 2 of 3 has the"},
        {"more records than the file holds",
         [] { return GoodThen(INT32_MAX, 32 + 16, [](RawArchive&) {}); },
         "record 2 of 2147483647 is cut off by the end of the file", "Good",
         " is damaged: record 2 of 2147483647 is cut"},
        {"a 4 GiB name",
         [] {
             return GoodThen(2, 32 + 16 + 12 + 5,
                             [](RawArchive& raw) { raw.Record(0xFFFFFFFFu, 0, 0, "short"); });
         },
         "record 2 of 2 has a name of 4294967283 bytes that runs past the end of the file", "Good",
         " is damaged: record 2 of 2 has a name of 4294967283 bytes"},
        {"data past the end",
         [font] {
             RawArchive raw(4);
             const uint32_t data = raw.End() + 3 * 12 + 4 + 4 + 4 + 12 + 22;
             raw.Entry("Huge", 0xFFFFFFFFu, data);  // claims 4 GiB
             raw.Entry("Wild", 1, 0xFFFFFFF0u);     // offset far beyond the end
             raw.Entry("Fine", 6, data);
             raw.Entry(font, 10, data);  // the file holds only 6 bytes there
             raw.Data("inside");
             return raw.bytes;
         },
         "record 1 of 4 (Huge) has data up to byte 4294967409, past the end of the file at 120; "
         "record 2 of 4 (Wild) has data up to byte 4294967281, past the end of the file at 120; "
         "record 4 of 4 (Data/Textures/Font.Tga) has data up to byte 124, past the end of the "
         "file at 120",
         "Fine", " is damaged: the data of Data/Textures/Font.Tga runs past its end"},
        {"an archive without the picture", [] { return GoodThen(1, 32 + 16, [](RawArchive&) {}); },
         "", "Good", " holds no entry of that name"},
    };
    OResourceArchive& archive = OResourceArchive::Instance();
    const std::string previousPath = archive.GetPath();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir(true);
        const std::string file = dir.File("Data/Resource.Kvr");
        if (c.bytes)
            TempDir::Write(file, c.bytes());
        archive.SetPath(file);
        testing::internal::CaptureStdout();
        EXPECT_EQ(archive.ReadDirectory(), c.bytes != nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.bytes ? "" : "File was not opened\n");
        std::string damage;
        for (const std::string& fault : archive.GetDamage())
            damage += (damage.empty() ? "" : "; ") + fault;
        EXPECT_EQ(damage, c.damage);
        std::string served;
        for (const auto& [key, entry] : archive.Directory()) {
            std::unique_ptr<uint8_t[]> data(archive.Open(entry->name));
            if (data)
                served += (served.empty() ? "" : " ") + entry->name;
        }
        EXPECT_EQ(served, c.served);

        OTexture texture;
        EXPECT_THROW(texture.Load("Font.Tga", true), OFileNotFound);
        const std::string expected = "Picture " + font + " is missing: the archive " + file;
        const std::string log = TempDir::Read("Report.html");
        EXPECT_NE(log.find(expected + c.logged), std::string::npos) << log;
    }
    archive.SetPath(previousPath);
    archive.ReadDirectory();
}
