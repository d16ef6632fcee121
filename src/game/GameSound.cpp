#include "game/GameSound.h"

#include "sound/OSoundSystem.h"

int GameSound::Play(int id) {
    return OSoundSystem::Instance().PlaySound(id, 0);
}

bool GameSound::Stop(int channel) {
    return OSoundSystem::Instance().StopChannel(channel);
}
