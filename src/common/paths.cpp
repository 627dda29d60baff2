#include "common/paths.h"

namespace rilto {

std::string JoinPath(std::string_view folder, std::string_view name) {
    const bool separated = !folder.empty() && folder.back() == kFolderSeparator;
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!separated) {
        path.push_back(kFolderSeparator);
    }
    path.append(name);
    return path;
}

std::string Quoted(std::string_view path) {
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted.push_back('"');
    quoted.append(path);
    quoted.push_back('"');
    return quoted;
}

}  // namespace rilto
