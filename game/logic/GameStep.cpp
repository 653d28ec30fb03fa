#include "game/logic/GameStep.h"

#include "game/logic/JeuTotal.h"
#include "game/logic/KeyPresses.h"

#include <OIS.h>

namespace Sarna
{

int stepGame(JeuTotal& game, OIS::Keyboard& keyboard, OIS::Mouse* mouse, float dt)
{
    game.getKeyPresses().startFrame();
    keyboard.capture();
    if (mouse != nullptr)
    {
        mouse->capture();
    }
    const int result = game.update(dt);
    game.updateOwned(dt);
    return result;
}

} // namespace Sarna
