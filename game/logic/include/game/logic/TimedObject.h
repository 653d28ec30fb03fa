#pragma once

#include <cstdint>
#include <map>

namespace Sarna
{

/// Base of everything in the game that changes from frame to frame. Owners advance their objects once per frame
/// and delete an object as soon as its update answers 0 ("finished").
///
/// Every timed object gets a number from a process-wide registry, in order of construction, starting at 1. The
/// registry only hands out numbers (used to name engine entities); it is never walked to advance objects.
class TimedObject
{
public:
    virtual ~TimedObject();

    /// Advances the object by dt seconds. Returns 0 when it is finished and must be deleted by its owner.
    virtual int update(float dt);

    /// Advances the timed objects that this object owns. Callers ignore the result.
    virtual int updateOwned(float dt);

    /// Enters the object under the current instance count. False, and nothing changed, when that number or
    /// that object is already registered.
    static bool registerObject(TimedObject* object);

    /// Removes the object and its number. False when it was not registered.
    static bool unregisterObject(TimedObject* object);

    /// The number stored for the object, or null when it is not registered. Copy the number at once: the
    /// address is only valid until the registry changes.
    static const std::uint32_t* getNumber(const TimedObject* object);

    /// Number of timed objects constructed so far in this process; never decreases.
    static std::uint32_t getInstanceCount() { return instanceCount; }

    /// Number of objects currently registered (for consistency checks of both maps).
    static std::size_t registeredByNumber() { return objectsByNumber.size(); }
    static std::size_t registeredByObject() { return numbersByObject.size(); }

protected:
    TimedObject();
    TimedObject(const TimedObject&) = delete;
    TimedObject& operator=(const TimedObject&) = delete;

private:
    static std::uint32_t instanceCount;
    // Declared (and so constructed) in this order; destroyed in the reverse order at exit.
    static std::map<std::uint32_t, TimedObject*> objectsByNumber;
    static std::map<const TimedObject*, std::uint32_t> numbersByObject;
};

} // namespace Sarna
