#include "game/HVExplosion.h"

#include <GL/gl.h>

#include "game/GameRandom.h"
#include "render/OTexture.h"

HVExplosion::HVExplosion() : texture(std::make_unique<OTexture>()) {
    texture->Load(kTextureName, true);
}

// A copied handle acquires the same image again.
HVExplosion::HVExplosion(const OTexture& shared) : texture(std::make_unique<OTexture>(shared)) {}

KvBaseBound* HVExplosion::Clone() const {
    return new HVExplosion(*texture);
}

HVExplosion::~HVExplosion() = default;

void HVExplosion::Start() {
    Emit(1);
}

void HVExplosion::Emit(int n) {
    const int first = count;
    while (count - first < n && count < kCapacity) {
        Fill(particles[count]);
        ++count;
    }
}

void HVExplosion::Fill(SmokeParticle& particle) {
    const double life = GameRandom::Uniform(2000.0, 3000.0);
    const int yOffset = GameRandom::Between(-2, 2);
    const int xOffset = GameRandom::Between(-2, 2);
    const double halfSize = GameRandom::Uniform(1.0, 2.0);
    const double growth = GameRandom::Uniform(4.0, 24.0);
    particle.position =
        position + OVector3(static_cast<float>(xOffset), static_cast<float>(yOffset), 0.0f);
    particle.velocity = OVector3();
    particle.colour[0] = 0.0f;
    particle.colour[1] = 0.0f;
    particle.colour[2] = 0.0f;
    particle.colour[3] = 0.5f;
    particle.colourRate[0] = 0.0f;
    particle.colourRate[1] = 0.0f;
    particle.colourRate[2] = 0.0f;
    particle.colourRate[3] = static_cast<float>(-0.5 / life);
    particle.life = life;
    particle.halfSize = halfSize;
    particle.growth = growth / life;
}

void HVExplosion::Update(const double& dt) {
    const float step = static_cast<float>(dt);
    for (int i = 0; i < count; ++i) {
        SmokeParticle& particle = particles[i];
        if (particle.life <= 0.0) {
            --count;
            particle = particles[count];
            continue;  // the record moved here is advanced from the next update on
        }
        particle.position += particle.velocity * step;
        for (int c = 0; c < 4; ++c) {
            particle.colour[c] += particle.colourRate[c] * step;
        }
        particle.halfSize += particle.growth * dt;
        particle.life -= dt;
    }
    if (!stopped) {
        emissionTimer += dt;
        if (emissionTimer > kBirthInterval) {
            Emit(1);
            emissionTimer = 0.0;
        }
    }
}

void HVExplosion::Draw() {
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    texture->Bind();
    // One primitive for all puffs, each quad with its own colour, in record
    // order as before.
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        const SmokeParticle& p = particles[i];
        const float s = static_cast<float>(p.halfSize);
        const float x = p.position.x;
        const float y = p.position.y;
        glColor4fv(p.colour);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(x - s, y - s, 0.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(x + s, y - s, 0.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(x + s, y + s, 0.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(x - s, y + s, 0.0f);
    }
    glEnd();
    glDisable(GL_BLEND);
}
