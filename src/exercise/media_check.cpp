#include "exercise/media_check.h"

#include <algorithm>

#include "common/texts.h"
#include "common/text.h"
#include "exercise/exercise_media.h"
#include "exercise/scheme_store.h"

namespace rilto {

std::vector<std::string> MediaFilesInUse(const SettingsStore& store,
                                         std::string_view programFolder) {
    std::vector<std::string> files;
    std::vector<std::string> seen;  // lower case, for names that differ only in case
    const auto add = [&](const std::string& file) {
        if (KindOfMedia(file) == MediaKind::Other) {
            return;
        }
        std::string path = ResolveMediaFile(file, programFolder);
        std::string lower = AsciiLower(path);
        if (std::find(seen.begin(), seen.end(), lower) != seen.end()) {
            return;
        }
        seen.push_back(std::move(lower));
        files.push_back(std::move(path));
    };
    add(kTitleFile);
    for (const std::string& scheme : ReadSchemeList(store, 0)) {
        ExerciseTable table;
        LoadScheme(store, scheme, table);
        for (std::int32_t i = 1; i <= table.NumExercises; ++i) {
            add(table.At(i).File);
        }
    }
    return files;
}

std::vector<std::string> MissingMedia(const SettingsStore& store, std::string_view programFolder,
                                      const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> missing;
    for (std::string& file : MediaFilesInUse(store, programFolder)) {
        if (!exists(file)) {
            missing.push_back(std::move(file));
        }
    }
    return missing;
}

std::string MissingMediaMessage(const std::vector<std::string>& missing,
                                std::string_view programFolder, std::size_t shown) {
    std::string text(kMissingMediaIntro);
    text.append(" (");
    text.append(programFolder);
    text.append("):\n\n");
    const std::size_t listed = std::min(shown, missing.size());
    for (std::size_t i = 0; i < listed; ++i) {
        text.append("    ");
        text.append(missing[i]);
        text.append("\n");
    }
    if (missing.size() > listed) {
        text.append("    ");
        text.append(kMissingMediaMore);
        text.append(std::to_string(missing.size() - listed));
        text.append("\n");
    }
    text.append("\n");
    text.append(kMissingMediaAdvice);
    return text;
}

}  // namespace rilto
