#include "game/GameRandom.h"

#include <cstdlib>
#include <ctime>

namespace {

GameRandom::SeedSource& Source() {
    static GameRandom::SeedSource source;
    return source;
}

}  // namespace

void GameRandom::SeedForLevel() {
    const SeedSource& source = Source();
    std::srand(source ? source() : TickCount());
}

void GameRandom::SetSeedSource(SeedSource source) {
    Source() = std::move(source);
}

int GameRandom::Next() {
    return std::rand() % (kMax + 1);
}

int GameRandom::Between(int a, int b) {
    return a + Next() % (b - a + 1);
}

double GameRandom::Uniform(double a, double b) {
    return a + (b - a) * Next() / kMax;
}

unsigned GameRandom::TickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned>(now.tv_sec * 1000u + now.tv_nsec / 1000000);
}
