#pragma once
// The exercise table: the scheme in use, in memory. Entry 0 is always the title entry,
// which belongs to no scheme; entries 1 to NumExercises are the scheme's exercises in
// order; entries beyond are spare room and never read as exercises.

#include <cstdint>
#include <string>
#include <vector>

namespace rilto {

struct ExerciseRecord {
    std::string File;          // .avi video or .bmp picture
    std::string Title;         // in the window caption and the editor's list
    std::int32_t DoIt = 0;     // nonzero: takes part in exercise breaks
    std::int32_t Seconds = 0;  // how long it is shown
};

// The title entry: shown first in the first exercise break after start-up.
inline constexpr char kTitleFile[] = "title.avi";
inline constexpr char kTitleCaption[] = "Gently now...";
inline constexpr std::int32_t kTitleSeconds = 10;
ExerciseRecord TitleEntry();

// A scheme holds at most this many exercises; stored keys beyond are ignored.
inline constexpr std::int32_t kMaxSchemeExercises = 999;
// Spare entries a load leaves above the scheme's exercises.
inline constexpr std::int32_t kSpareExercises = 100;

struct ExerciseTable {
    std::vector<ExerciseRecord> Exercises{TitleEntry()};
    std::int32_t NumExercises = 0;

    // Entry i; an index outside the table reads as an empty entry.
    const ExerciseRecord& At(std::int32_t i) const;
    // Whether entry i (1 to NumExercises) takes part in breaks.
    bool TakesPart(std::int32_t i) const;
    // How many of the scheme's exercises take part in breaks.
    std::int32_t EnabledCount() const;
};

}  // namespace rilto
