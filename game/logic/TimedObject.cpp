#include "game/logic/TimedObject.h"

namespace Sarna
{

std::uint32_t TimedObject::instanceCount = 0;
std::map<std::uint32_t, TimedObject*> TimedObject::objectsByNumber;
std::map<const TimedObject*, std::uint32_t> TimedObject::numbersByObject;

TimedObject::TimedObject()
{
    ++instanceCount;
    registerObject(this);
}

TimedObject::~TimedObject()
{
    unregisterObject(this);
}

int TimedObject::update(float /*dt*/)
{
    return 0;
}

int TimedObject::updateOwned(float /*dt*/)
{
    return 0;
}

bool TimedObject::registerObject(TimedObject* object)
{
    if (objectsByNumber.count(instanceCount) != 0 || numbersByObject.count(object) != 0)
    {
        return false;
    }
    objectsByNumber.emplace(instanceCount, object);
    numbersByObject.emplace(object, instanceCount);
    return true;
}

bool TimedObject::unregisterObject(TimedObject* object)
{
    const auto found = numbersByObject.find(object);
    if (found == numbersByObject.end())
    {
        return false;
    }
    objectsByNumber.erase(found->second);
    numbersByObject.erase(found);
    return true;
}

const std::uint32_t* TimedObject::getNumber(const TimedObject* object)
{
    const auto found = numbersByObject.find(object);
    return found == numbersByObject.end() ? nullptr : &found->second;
}

} // namespace Sarna
