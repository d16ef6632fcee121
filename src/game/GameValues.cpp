#include "game/GameValues.h"

int32_t GameState = StatePlaying;
int32_t GameEndMark = EndMarkRunning;
int32_t score = 0;
