#include "game/logic/KeyPresses.h"

#include <cstddef>

namespace Sarna
{

KeyPresses::KeyPresses(OIS::Keyboard& keys) : keyboard(keys)
{
    keyboard.setBuffered(true);
    keyboard.setEventCallback(this);
}

KeyPresses::~KeyPresses()
{
    keyboard.setEventCallback(nullptr);
    keyboard.setBuffered(false);
}

void KeyPresses::startFrame()
{
    presses.fill(0);
}

bool KeyPresses::keyPressed(const OIS::KeyEvent& event)
{
    if (static_cast<std::size_t>(event.key) < presses.size())
    {
        ++presses[event.key];
    }
    return true;
}

bool KeyPresses::keyReleased(const OIS::KeyEvent&)
{
    return true;
}

} // namespace Sarna
