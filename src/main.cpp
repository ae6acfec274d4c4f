// q71: the attack-submarine simulation.
#include <cstdio>

int main() {
    std::fputs("q71: the application shell is not built yet; only the tests run.\n", stderr);
    return 1;
}
