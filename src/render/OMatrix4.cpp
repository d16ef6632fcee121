#include "render/OMatrix4.h"

void OMatrix4::SetIdentity() {
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}
