#include <gtest/gtest.h>

#include <stdexcept>

#include "audiogen/Chord.h"
#include "audiogen/Notation.h"

TEST(AudioNotationTest, NamesMapToMidiPitchesWithAccidentalsAndOctaves) {
    EXPECT_EQ(Notation::Pitch("c4"), 60);
    EXPECT_EQ(Notation::Pitch("a4"), 69);
    EXPECT_EQ(Notation::Pitch("c#4"), 61);
    EXPECT_EQ(Notation::Pitch("db4"), 61);
    EXPECT_EQ(Notation::Pitch("b3"), 59);
    EXPECT_EQ(Notation::Pitch("cb4"), 59);
    EXPECT_EQ(Notation::Pitch("d6"), 86);
    EXPECT_EQ(Notation::Pitch("A2"), 45);
}

TEST(AudioNotationTest, NotesFollowEachOtherAndRestsLeaveGaps) {
    auto notes = Notation::Parse("d5:1 f#5:0.5 | r:1.5 bb4:2", 6.0);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_DOUBLE_EQ(notes[0].beat, 6.0);
    EXPECT_EQ(notes[0].pitch, 74);
    EXPECT_DOUBLE_EQ(notes[1].beat, 7.0);
    EXPECT_DOUBLE_EQ(notes[1].beats, 0.5);
    EXPECT_EQ(notes[1].pitch, 78);
    EXPECT_DOUBLE_EQ(notes[2].beat, 9.0);
    EXPECT_EQ(notes[2].pitch, 70);
    EXPECT_DOUBLE_EQ(Notation::Length("d5:1 f#5:0.5 | r:1.5 bb4:2"), 5.0);
    // Bar lines glued to notes are still bar lines.
    EXPECT_EQ(Notation::Parse("a4:1|b4:1").size(), 2u);
}

TEST(AudioNotationTest, MalformedTokensAreRefused) {
    for (const char* bad : {"h4:1", "c:1", "c4", "c4:", "c4:0", "c4:-1", "c4:x", "c#x:1", "cx4:1",
                            "c44:1", "c4:1.5.5",
                            "\xe9"
                            "4:1",
                            "c4:1e400"}) {
        EXPECT_THROW(Notation::Parse(bad), std::invalid_argument) << bad;
    }
}

TEST(AudioNotationTest, ChordNamesGiveRootAndQuality) {
    Chord fSharpMinor = Chord::Parse("F#m");
    EXPECT_EQ(fSharpMinor.Root(), 6);
    EXPECT_EQ(fSharpMinor.Intervals(), (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(Chord::Parse("A7").Intervals(), (std::vector<int>{0, 4, 7, 10}));
    EXPECT_EQ(Chord::Parse("Bbmaj7").Root(), 10);
    EXPECT_EQ(Chord::Parse("Bbmaj7").Intervals(), (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(Chord::Parse("Em7").Intervals(), (std::vector<int>{0, 3, 7, 10}));
    for (const char* bad : {"", "H", "Dsus", "C#x", "m", "\xc9m", "#"}) {
        EXPECT_THROW(Chord::Parse(bad), std::invalid_argument) << bad;
    }
}

TEST(AudioNotationTest, VoicingStartsAtTheFirstRootAtOrAboveTheLowestPitch) {
    // G at or above middle C is G4 (67); at or above G4 it is G4 itself.
    EXPECT_EQ(Chord::Parse("G").Voicing(60), (std::vector<int>{67, 71, 74}));
    EXPECT_EQ(Chord::Parse("G").Voicing(67), (std::vector<int>{67, 71, 74}));
    EXPECT_EQ(Chord::Parse("D7").Voicing(38), (std::vector<int>{38, 42, 45, 48}));
    EXPECT_EQ(Chord::Parse("C").RootAtOrAbove(61), 72);
}
