#include "game/KvBaseBound.h"

KvBaseBound* KvBaseBound::Clone() const {
    KvBaseBound* copy = new KvBaseBound();
    copy->position = position;
    return copy;
}

KvBaseBound::~KvBaseBound() = default;
