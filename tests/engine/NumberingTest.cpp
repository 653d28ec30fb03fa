// Runs in a process of its own: it checks the very first numbers that the timed-object registry hands out.
#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreEntity.h>

namespace
{

using Sarna::TimedObject;

std::uint32_t numberOf(const TimedObject* object)
{
    const std::uint32_t* number = TimedObject::getNumber(object);
    return number != nullptr ? *number : 0u;
}

class Numbering : public EngineFixture
{
};

TEST_F(Numbering, ControllerHeroAndRunnersAreNumberedInConstructionOrder)
{
    ASSERT_EQ(TimedObject::getInstanceCount(), 0u) << "needs a fresh process";
    // Two seconds of life for each runner.
    createGame({standingOffCentre("far", 100.0f, 0.0f, 600.0)});
    EXPECT_EQ(numberOf(game.get()), 1u);
    EXPECT_EQ(numberOf(game->getHero()), 2u);
    EXPECT_EQ(game->getHero()->getEntity()->getName(), "Hero");

    // A first frame longer than the spawn interval makes a single runner; the burst's first runner is due at
    // the frame's own end, so it waits for the next frame.
    startPlaying(1.6f);
    ASSERT_EQ(game->getRunners().size(), 1u);
    EXPECT_EQ(numberOf(&runner(0)), 3u);
    EXPECT_EQ(numberOf(runner(0).getMan()), 4u);
    EXPECT_EQ(runner(0).getMan()->getEntity()->getName(), "Running_3");

    frame(0.4f);
    ASSERT_EQ(game->getRunners().size(), 2u);
    EXPECT_EQ(numberOf(&runner(1)), 5u);
    EXPECT_EQ(runner(1).getMan()->getEntity()->getName(), "Running_5");

    // The first runner's path ends here and it is deleted; the next runner does not take its number.
    frame(0.5f);
    ASSERT_EQ(game->getRunners().size(), 2u);
    EXPECT_EQ(numberOf(&runner(0)), 5u);
    EXPECT_EQ(numberOf(&runner(1)), 7u);
    EXPECT_EQ(runner(1).getMan()->getEntity()->getName(), "Running_7");
    EXPECT_EQ(TimedObject::getNumber(nullptr), nullptr);

    game.reset();
    EXPECT_EQ(TimedObject::registeredByNumber(), 0u);
    EXPECT_EQ(TimedObject::registeredByObject(), 0u);
    EXPECT_EQ(TimedObject::getInstanceCount(), 8u);
}

} // namespace
