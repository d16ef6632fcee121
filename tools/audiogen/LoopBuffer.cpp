#include "audiogen/LoopBuffer.h"

LoopBuffer::LoopBuffer(size_t length) : samples_(length, 0.0f) {}

void LoopBuffer::Add(const std::vector<float>& sound, long long offset, float gain) {
    long long length = static_cast<long long>(samples_.size());
    if (length == 0) {
        return;
    }
    long long position = offset % length;
    if (position < 0) {
        position += length;
    }
    for (float s : sound) {
        samples_[static_cast<size_t>(position)] += s * gain;
        if (++position == length) {
            position = 0;
        }
    }
}
