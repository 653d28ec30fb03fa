#include "EngineFixture.h"
#include "game/logic/RunningMan.h"

#include <OgreAnimationState.h>
#include <OgreEntity.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

namespace
{

using Sarna::RunningMan;
using Sarna::RunningManTraj;

Trajectory pathOf(std::initializer_list<PositionKey> keys)
{
    return trajectoryOf("path", keys);
}

void expectGroundPosition(const Ogre::SceneNode* node, float x, float z)
{
    EXPECT_FLOAT_EQ(node->getPosition().x, x);
    EXPECT_FLOAT_EQ(node->getPosition().y, 2.5f);
    EXPECT_FLOAT_EQ(node->getPosition().z, z);
}

class Runners : public EngineFixture
{
protected:
    std::unique_ptr<RunningManTraj> makeRunner(const Trajectory& path, Ogre::Vector2 offset = Ogre::Vector2::ZERO,
                                               float angle = 0.0f)
    {
        return std::make_unique<RunningManTraj>(path, sceneManager, offset, angle);
    }
};

TEST_F(Runners, WaitsAtParkingThenMapsTrajectoryPointsToTheGround)
{
    auto runner = makeRunner(pathOf({{100.0f, -50.0f, 0.0}, {100.0f, -50.0f, 1000.0}}));
    expectGroundPosition(runner->getNode(), 10000.0f, 10000.0f);
    EXPECT_EQ(runner->getNode()->getName(), "");
    EXPECT_EQ(runner->update(0.1f), RunningManTraj::Following);
    expectGroundPosition(runner->getNode(), 30.0f, -15.0f);
}

TEST_F(Runners, FollowsItsPathAtThreeHundredMillisecondsPerSecond)
{
    auto runner = makeRunner(pathOf({{0.0f, 0.0f, 0.0}, {100.0f, 0.0f, 300.0}}));
    runner->update(0.5f); // t = 150 ms: halfway
    expectGroundPosition(runner->getNode(), 15.0f, 0.0f);
}

TEST_F(Runners, TurnsItsCopyAboutTheOriginThenShiftsIt)
{
    const Trajectory path = pathOf({{10.0f, 0.0f, 0.0}, {10.0f, 0.0f, 1000.0}});
    auto turned = makeRunner(path, Ogre::Vector2::ZERO, 90.0f);
    turned->update(0.1f);
    EXPECT_NEAR(turned->getNode()->getPosition().x, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(turned->getNode()->getPosition().z, 3.0f);

    auto shifted = makeRunner(path, Ogre::Vector2(10.0f, 0.0f), 0.0f);
    shifted->update(0.1f);
    expectGroundPosition(shifted->getNode(), 6.0f, 0.0f);
}

TEST_F(Runners, StopsWhereThePreviousFrameLeftItWhenThePathIsOver)
{
    auto runner = makeRunner(pathOf({{0.0f, 0.0f, 0.0}, {100.0f, 0.0f, 300.0}}));
    runner->update(0.4f); // t = 120 ms
    runner->update(0.4f); // t = 240 ms
    expectGroundPosition(runner->getNode(), 24.0f, 0.0f);
    EXPECT_EQ(runner->update(0.4f), RunningManTraj::Stopped);
    expectGroundPosition(runner->getNode(), 24.0f, 0.0f);
    EXPECT_EQ(runner->update(0.4f), RunningManTraj::Stopped);
}

TEST_F(Runners, EmptyOrTooShortPathStopsInTheFirstUpdate)
{
    EXPECT_EQ(makeRunner(Trajectory())->update(0.016f), RunningManTraj::Stopped);
    EXPECT_EQ(makeRunner(pathOf({{5.0f, 5.0f, 0.0}}))->update(0.016f), RunningManTraj::Stopped);
}

TEST_F(Runners, KillMakesTheManDieOnlyWhileFollowing)
{
    auto runner = makeRunner(pathOf({{0.0f, 0.0f, 0.0}, {0.0f, 0.0f, 1000.0}}));
    runner->update(0.1f);
    runner->kill();
    EXPECT_EQ(runner->getMan()->getState(), RunningMan::Dying);
    EXPECT_EQ(runner->updateOwned(0.01f), RunningMan::Dying);
    EXPECT_EQ(runner->update(0.01f), RunningManTraj::Stopped);

    auto finished = makeRunner(Trajectory());
    finished->update(0.1f);
    finished->kill();
    EXPECT_EQ(finished->getMan()->getState(), RunningMan::Running);
}

TEST_F(Runners, DestroyingARunnerRemovesItsEntityAndNode)
{
    const std::size_t entities = entityCount();
    const std::size_t nodes = rootChildCount();
    auto runner = makeRunner(Trajectory());
    EXPECT_EQ(entityCount(), entities + 1);
    EXPECT_EQ(rootChildCount(), nodes + 1);
    runner.reset();
    EXPECT_EQ(entityCount(), entities);
    EXPECT_EQ(rootChildCount(), nodes);
}

class Men : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        node = sceneManager->getRootSceneNode()->createChildSceneNode(Ogre::Vector3(1.0f, 0.0f, 2.0f));
    }
    Ogre::SceneNode* node = nullptr;
};

TEST_F(Men, StandsOnTheGroundFacingOneWayAndRuns)
{
    RunningMan man("Man", node, sceneManager);
    EXPECT_EQ(node->getPosition(), Ogre::Vector3(1.0f, 2.5f, 2.0f));
    EXPECT_EQ(node->getOrientation(), Ogre::Quaternion::IDENTITY);
    EXPECT_FALSE(node->getInheritOrientation());
    EXPECT_TRUE(man.getEntity()->getCastShadows());
    EXPECT_EQ(man.getState(), RunningMan::Running);
    EXPECT_EQ(man.getAnimationState()->getAnimationName(), "Run");
    EXPECT_TRUE(man.getAnimationState()->getEnabled());
    EXPECT_TRUE(man.getAnimationState()->getLoop());
    EXPECT_EQ(man.updateOwned(0.1f), 1);
}

TEST_F(Men, RunAnimationFollowsMovementAlongZ)
{
    RunningMan man("Man", node, sceneManager);
    Ogre::AnimationState* run = man.getAnimationState();
    const float length = run->getLength();
    man.update(0.1f);
    EXPECT_FLOAT_EQ(run->getTimePosition(), 0.1f);

    // Backward at 10 units per second holds the animation still.
    const float held = run->getTimePosition();
    for (int i = 0; i < 5; ++i)
    {
        node->translate(0.0f, 0.0f, -0.5f);
        man.update(0.05f);
    }
    EXPECT_NEAR(run->getTimePosition(), held, 1e-4f);

    // Moving along x adds nothing to the time step.
    node->translate(3.0f, 0.0f, 0.0f);
    man.update(0.05f);
    EXPECT_NEAR(run->getTimePosition(), std::fmod(held + 0.05f, length), 1e-4f);
}

TEST_F(Men, DyingEndsWithZeroInTheSameUpdate)
{
    RunningMan man("Man", node, sceneManager);
    man.startDying();
    Ogre::AnimationState* dying = man.getAnimationState();
    EXPECT_EQ(dying->getAnimationName(), "Dying");
    EXPECT_FALSE(dying->getLoop());
    EXPECT_FALSE(man.getEntity()->getAnimationState("Run")->getEnabled());

    man.update(dying->getLength() * 0.5f);
    man.startDying(); // a second catch must not restart the animation
    EXPECT_FLOAT_EQ(dying->getTimePosition(), dying->getLength() * 0.5f);
    EXPECT_EQ(man.update(dying->getLength()), RunningMan::Dead);
    EXPECT_EQ(man.update(0.1f), RunningMan::Dead);
    man.startDying();
    EXPECT_EQ(man.getState(), RunningMan::Dead);
}

TEST_F(Men, DestroyingAManLeavesItsNode)
{
    {
        RunningMan man("Man", node, sceneManager);
    }
    EXPECT_FALSE(sceneManager->hasEntity("Man"));
    EXPECT_EQ(node->numAttachedObjects(), 0u);
    EXPECT_TRUE(node->getParent() != nullptr);
}

} // namespace
