#include "game/GameSound.h"

namespace {

std::vector<int>* recorder = nullptr;

}  // namespace

int GameSound::Play(int id) {
    if (recorder) {
        recorder->push_back(id);
    }
    return 0;
}

bool GameSound::Stop(int channel) {
    return false;
}

void GameSound::SetRecorder(std::vector<int>* played) {
    recorder = played;
}
