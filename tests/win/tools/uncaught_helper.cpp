// uncaught_helper: throws what nothing catches, with the terminate handler the program
// carries linked in, so that a test can read what that handler writes.

#include <stdexcept>

int main() {
    throw std::runtime_error("nothing catches this");
}
