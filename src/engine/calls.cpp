#include "engine/calls.h"

#include "common/name_case.h"
#include "engine/hold.h"

namespace rilto {

namespace {

// FILETIME counts from 1601; Unix time from 1970.
constexpr std::int64_t kFileTimeTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

bool Ignored(const DeviceUse& use, const std::vector<std::string>& ignored) {
    for (const std::string& name : NamesOfUse(use)) {
        for (const std::string& listed : ignored) {
            if (SameName(listed, name)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::int64_t UtcOfFileTime(std::uint64_t fileTime) {
    return static_cast<std::int64_t>(fileTime / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

std::vector<std::string> NamesOfUse(const DeviceUse& use) {
    const std::string_view key = use.key;
    if (!use.packaged) {
        const auto hash = key.find_last_of('#');
        return {std::string(hash == std::string_view::npos ? key : key.substr(hash + 1))};
    }
    // A package family's name is the package's name, "_", and its publisher's id; the
    // package's name has no "_" of its own.
    const auto underscore = key.find('_');
    if (underscore == std::string_view::npos || underscore == 0) {
        return {std::string(key)};
    }
    return {std::string(key), std::string(key.substr(0, underscore))};
}

bool CallHolds(const std::vector<DeviceUse>& uses, const Settings& settings, std::int64_t utcNow) {
    if (!settings.Calls || uses.empty()) {
        return false;
    }
    // The list's rules are the program list's: ";" between names, blanks dropped.
    const std::vector<std::string> ignored = HoldPrograms(settings.IgnoreDevices);
    for (const DeviceUse& use : uses) {
        if (use.began != 0 && utcNow - UtcOfFileTime(use.began) > kLongestCallSeconds) {
            continue;
        }
        if (!Ignored(use, ignored)) {
            return true;
        }
    }
    return false;
}

}  // namespace rilto
