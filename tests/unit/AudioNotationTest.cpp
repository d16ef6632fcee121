#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "audiogen/Chord.h"
#include "audiogen/Notation.h"

TEST(AudioNotationTest, NotesFollowEachOtherAndRestsLeaveGaps) {
    auto notes = Notation::Parse("d5:1 f#5:0.5 | r:1.5 bb4:2", 6.0);
    std::vector<std::tuple<double, double, int>> got;  // beat, beats, pitch
    for (const auto& note : notes) {
        got.emplace_back(note.beat, note.beats, note.pitch);
    }
    EXPECT_EQ(got,
              (std::vector<std::tuple<double, double, int>>{{6, 1, 74}, {7, 0.5, 78}, {9, 2, 70}}));
    EXPECT_DOUBLE_EQ(Notation::Length("d5:1 f#5:0.5 | r:1.5 bb4:2"), 5.0);
    // Bar lines glued to notes are still bar lines.
    EXPECT_EQ(Notation::Parse("a4:1|b4:1").size(), 2u);
    // Middle C is 60; a flat on C and capitals work too.
    EXPECT_EQ(
        (std::vector<int>{Notation::Pitch("c4"), Notation::Pitch("cb4"), Notation::Pitch("A2")}),
        (std::vector<int>{60, 59, 45}));
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

TEST(AudioNotationTest, ChordNamesGiveRootQualityAndVoicing) {
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
    // Voicings start at the first root at or above the lowest pitch: G at or
    // above middle C is G4 (67); at or above G4 it is G4 itself.
    EXPECT_EQ(Chord::Parse("G").Voicing(60), (std::vector<int>{67, 71, 74}));
    EXPECT_EQ(Chord::Parse("G").Voicing(67), (std::vector<int>{67, 71, 74}));
    EXPECT_EQ(Chord::Parse("D7").Voicing(38), (std::vector<int>{38, 42, 45, 48}));
    EXPECT_EQ(Chord::Parse("C").RootAtOrAbove(61), 72);
}
