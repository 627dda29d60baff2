#pragma once

#include <string>

namespace rilto {

// "major.minor.revision", each as plain decimal.
std::string VersionLabel();

}  // namespace rilto
