#include <gtest/gtest.h>

#include <cmath>

#include "PuzzleWorld.h"
#include "game/HVExplosion.h"
#include "render/OTexture.h"

namespace {

class Smoke : public ::testing::Test {
protected:
    void SetUp() override {
        world.Write();
        GameRandom::SeedForLevel();
    }
    PuzzleWorld world;
};

}  // namespace

TEST_F(Smoke, TimedBirthsNeedMoreThan100MillisecondsAndComeOneAtATimeUpTo128) {
    HVExplosion smoke;
    smoke.Start();
    EXPECT_EQ(smoke.GetCount(), 1);
    smoke.Update(100.0);
    EXPECT_EQ(smoke.GetCount(), 1);
    EXPECT_EQ(smoke.emissionTimer, 100.0);
    smoke.Update(1.0);
    EXPECT_EQ(smoke.GetCount(), 2);
    EXPECT_EQ(smoke.emissionTimer, 0.0);
    smoke.Update(250.0);
    EXPECT_EQ(smoke.GetCount(), 3);
    EXPECT_EQ(smoke.emissionTimer, 0.0);
    HVExplosion fresh;
    fresh.Update(101.0);
    EXPECT_EQ(fresh.GetCount(), 1);
    // Held back, the timer does not run.
    smoke.stopped = true;
    smoke.Update(500.0);
    EXPECT_EQ(smoke.GetCount(), 3);
    EXPECT_EQ(smoke.emissionTimer, 0.0);
    // The array holds 128 and drops further births, timed ones too.
    fresh.Emit(200);
    EXPECT_EQ(fresh.GetCount(), HVExplosion::kCapacity);
    const double last = fresh.Particle(127).life;
    fresh.Emit(5);
    fresh.Update(150.0);
    EXPECT_EQ(fresh.GetCount(), 128);
    EXPECT_EQ(fresh.Particle(127).life, last - 150.0);
}

TEST_F(Smoke, TheRecordMovedIntoAGapIsAdvancedFromTheNextUpdateOn) {
    HVExplosion smoke;
    smoke.stopped = true;
    smoke.Emit(1);
    smoke.Update(1000.0);
    smoke.Emit(1);  // a younger puff behind the older one
    const double older = smoke.Particle(0).life;
    const double younger = smoke.Particle(1).life;
    ASSERT_LT(older, younger);
    smoke.Update(older);  // the older one is now used up
    ASSERT_EQ(smoke.GetCount(), 2);
    smoke.Update(5.0);
    ASSERT_EQ(smoke.GetCount(), 1);
    // Moved into slot 0 but not advanced in that update.
    EXPECT_EQ(smoke.Particle(0).life, younger - older);
    smoke.Update(5.0);
    EXPECT_EQ(smoke.Particle(0).life, younger - older - 5.0);
}

TEST_F(Smoke, ACloneSharesTheTextureButNoParticles) {
    std::unique_ptr<KvBaseBound> copy;
    {
        HVExplosion smoke;
        smoke.Emit(3);
        copy.reset(smoke.Clone());
    }
    auto* clone = dynamic_cast<HVExplosion*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetCount(), 0);
    EXPECT_EQ(clone->emissionTimer, 0.0);
    EXPECT_FALSE(clone->stopped);
    // The clone's own handle keeps the picture after the original is gone.
    EXPECT_TRUE(OTexture::IsCached(HVExplosion::kTextureName));
    copy.reset();
    EXPECT_FALSE(OTexture::IsCached(HVExplosion::kTextureName));
}
