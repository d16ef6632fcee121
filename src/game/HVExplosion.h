#pragma once

#include <memory>

#include "game/KvBaseBound.h"
#include "game/SmokeParticle.h"

class OTexture;

// The engine's smoke: puffs born at the emitter position that stay where
// they were born, grow and fade out within two to three seconds. All
// particles live in one fixed array; nothing is allocated per particle.
class HVExplosion : public KvBaseBound {
public:
    static constexpr int kCapacity = 128;
    static constexpr double kBirthInterval = 100.0;
    static constexpr const char* kTextureName = "CoDSmoke2.Tga";

    // Loads the smoke texture (with mipmaps).
    HVExplosion();
    KvBaseBound* Clone() const override;
    ~HVExplosion() override;

    // Gives birth to the first puff.
    void Start() override;
    void Update(const double& dt) override;
    void Draw() override;
    void Emit(int count) override;

    // Lets every puff go at once (a level started again).
    void Clear() { count = 0; }
    int GetCount() const { return count; }
    const SmokeParticle& Particle(int i) const { return particles[i]; }

private:
    explicit HVExplosion(const OTexture& shared);
    void Fill(SmokeParticle& particle);

    SmokeParticle particles[kCapacity];
    int count = 0;
    std::unique_ptr<OTexture> texture;
};
