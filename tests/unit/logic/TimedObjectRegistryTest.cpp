#include "game/logic/TimedObject.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>

namespace
{

// A timed object that overrides nothing.
class Probe : public Sarna::TimedObject
{
};

std::uint32_t numberOf(const Sarna::TimedObject& object)
{
    const std::uint32_t* number = Sarna::TimedObject::getNumber(&object);
    EXPECT_NE(number, nullptr);
    return number != nullptr ? *number : 0u;
}

TEST(TimedObjectRegistry, NumbersFollowConstructionOrderAndAreNeverReused)
{
    auto first = std::make_unique<Probe>();
    const std::uint32_t firstNumber = numberOf(*first);
    EXPECT_EQ(firstNumber, Sarna::TimedObject::getInstanceCount());

    auto second = std::make_unique<Probe>();
    EXPECT_EQ(numberOf(*second), firstNumber + 1);

    first.reset();
    // Likely at the freed address, yet it must get a new number.
    auto third = std::make_unique<Probe>();
    EXPECT_EQ(numberOf(*third), firstNumber + 2);
}

TEST(TimedObjectRegistry, DestroyedObjectHasNoNumber)
{
    // The storage outlives the object, so its address can still be looked up.
    alignas(Probe) unsigned char storage[sizeof(Probe)];
    Probe* probe = new (storage) Probe;
    probe->~Probe();
    EXPECT_EQ(Sarna::TimedObject::getNumber(probe), nullptr);
}

TEST(TimedObjectRegistry, MapsStayConsistentAndEmptyOnceEverythingIsGone)
{
    const std::uint32_t countBefore = Sarna::TimedObject::getInstanceCount();
    {
        auto a = std::make_unique<Probe>();
        auto b = std::make_unique<Probe>();
        auto c = std::make_unique<Probe>();
        EXPECT_EQ(Sarna::TimedObject::registeredByNumber(), 3u);
        EXPECT_EQ(Sarna::TimedObject::registeredByObject(), 3u);
        b.reset();
        EXPECT_EQ(Sarna::TimedObject::registeredByNumber(), 2u);
        EXPECT_EQ(Sarna::TimedObject::registeredByObject(), 2u);
        a.reset(); // c, declared last, goes first at scope end: mixed order
    }
    EXPECT_EQ(Sarna::TimedObject::registeredByNumber(), 0u);
    EXPECT_EQ(Sarna::TimedObject::registeredByObject(), 0u);
    EXPECT_EQ(Sarna::TimedObject::getInstanceCount(), countBefore + 3);
}

TEST(TimedObjectRegistry, RejectedRegistrationLeavesObjectUnnumbered)
{
    auto a = std::make_unique<Probe>();
    EXPECT_FALSE(Sarna::TimedObject::registerObject(a.get())) << "already registered";
    EXPECT_TRUE(Sarna::TimedObject::unregisterObject(a.get()));
    EXPECT_FALSE(Sarna::TimedObject::unregisterObject(a.get())) << "no longer registered";

    auto b = std::make_unique<Probe>();
    // The current number now belongs to b, so a cannot be entered again.
    EXPECT_FALSE(Sarna::TimedObject::registerObject(a.get()));
    EXPECT_EQ(Sarna::TimedObject::getNumber(a.get()), nullptr);
    EXPECT_NE(Sarna::TimedObject::getNumber(b.get()), nullptr);

    a.reset(); // destroying an unnumbered object must leave b alone
    EXPECT_EQ(Sarna::TimedObject::registeredByNumber(), 1u);
    EXPECT_EQ(Sarna::TimedObject::registeredByObject(), 1u);
}

TEST(TimedObjectRegistry, BaseOperationsAnswerFinished)
{
    Probe probe;
    EXPECT_EQ(probe.update(0.016f), 0);
    EXPECT_EQ(probe.updateOwned(0.016f), 0);
}

} // namespace
