#include "game/GameSettings.h"

#include <cmath>
#include <memory>
#include <string>

#include "data/OConfigFile.h"
#include "game/GameDataFile.h"

namespace {

// Copies the first three entries of a per-difficulty array.
template <typename T>
void TakeThree(const std::string& key, T* values, int count, T* target) {
    std::unique_ptr<T[]> owned(values);
    if (!values || count < 3) {
        GameDataFile::Fail(GameSettings::kFileName, "has no three values for " + key);
    }
    for (int i = 0; i < 3; ++i) {
        target[i] = values[i];
    }
}

// A speed or a fuel use is a rate: one that is negative or no number at all
// (a damaged file) is read as 0, which stops the train or burns nothing.
void KeepRates(float* rates) {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(rates[i]) || rates[i] < 0.0f) {
            rates[i] = 0.0f;
        }
    }
}

}  // namespace

GameSettings& GameSettings::Instance() {
    static GameSettings settings;
    return settings;
}

void GameSettings::Read() {
    OConfigFile config;
    GameDataFile::LoadFromArchive(config, kFileName);
    GameSettings read;
    int count = 0;
    read.CoalMass = config.GetInt("CoalMass", 0);
    int* ints = config.GetIntArray("CoalHeaps", count, ' ');
    TakeThree("CoalHeaps", ints, count, read.CoalHeaps);
    float* floats = config.GetFloatArray("CoalUsage", count, ' ');
    TakeThree("CoalUsage", floats, count, read.CoalUsage);
    KeepRates(read.CoalUsage);
    ints = config.GetIntArray("NumSemafors", count, ' ');
    TakeThree("NumSemafors", ints, count, read.NumSemafors);
    floats = config.GetFloatArray("eXprSpeed", count, ' ');
    TakeThree("eXprSpeed", floats, count, read.eXprSpeed);
    KeepRates(read.eXprSpeed);
    read.GameOverTime = config.GetInt("GameOverTime", 0);
    *this = read;
}
