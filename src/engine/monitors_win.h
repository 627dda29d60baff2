#pragma once
// The monitors as Windows reports them now.

#include <vector>

#include "engine/screen_layout.h"

namespace rilto {

std::vector<Monitor> CurrentMonitors();

}  // namespace rilto
