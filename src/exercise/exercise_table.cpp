#include "exercise/exercise_table.h"

namespace rilto {

ExerciseRecord TitleEntry() {
    return ExerciseRecord{kTitleFile, kTitleCaption, 1, kTitleSeconds};
}

const ExerciseRecord& ExerciseTable::At(std::int32_t i) const {
    static const ExerciseRecord kNone;
    if (i < 0 || static_cast<std::size_t>(i) >= Exercises.size()) {
        return kNone;
    }
    return Exercises[static_cast<std::size_t>(i)];
}

bool ExerciseTable::TakesPart(std::int32_t i) const {
    return i >= 1 && i <= NumExercises && At(i).DoIt != 0;
}

std::int32_t ExerciseTable::EnabledCount() const {
    std::int32_t count = 0;
    for (std::int32_t i = 1; i <= NumExercises; ++i) {
        count += TakesPart(i) ? 1 : 0;
    }
    return count;
}

}  // namespace rilto
