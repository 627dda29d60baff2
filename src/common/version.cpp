#include "common/version.h"

namespace rilto {

std::string VersionLabel() {
    return std::to_string(RILTO_VERSION_MAJOR) + "." + std::to_string(RILTO_VERSION_MINOR) + "." +
           std::to_string(RILTO_VERSION_REVISION);
}

}  // namespace rilto
