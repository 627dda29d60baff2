#pragma once
// A window raises its named events through this: an event nobody listens to is an
// empty std::function, and raising it does nothing.

#include <functional>
#include <type_traits>

namespace rilto {

// Calls `event` with `args` when it is set. What a listener answers is not asked for.
template <class Result, class... Params>
void Raise(const std::function<Result(Params...)>& event, std::type_identity_t<Params>... args) {
    if (event) {
        event(args...);
    }
}

}  // namespace rilto
