#pragma once
// Which exercise videos and pictures, named by the stored schemes, the program folder
// lacks; and what to tell the user about them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings_store.h"

namespace rilto {

// Every video and picture of every listed scheme, and the title clip, as the player
// would look for it; each one once, in the order first named. Files of other kinds
// are never shown, so never missed.
std::vector<std::string> MediaFilesInUse(const SettingsStore& store,
                                         std::string_view programFolder);

// Those of MediaFilesInUse for which `exists` says no.
std::vector<std::string> MissingMedia(const SettingsStore& store, std::string_view programFolder,
                                      const std::function<bool(const std::string&)>& exists);

// The notice for a non-empty list: the folder, up to `shown` of the files, how many
// more, and how to get them back.
std::string MissingMediaMessage(const std::vector<std::string>& missing,
                                std::string_view programFolder, std::size_t shown = 12);

}  // namespace rilto
