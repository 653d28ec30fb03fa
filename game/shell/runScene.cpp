#include "game/shell/runScene.h"

#include "PointerPresence.h"
#include "game/logic/GameStep.h"
#include "game/logic/JeuTotal.h"
#include "game/logic/KeyPresses.h"
#include "game/shell/AppliOgreFromScratch.h"
#include "game/shell/GameScene.h"
#include "game/shell/ViewControls.h"
#include "platform/TerminationSignals.h"

#include <Bites/OgreWindowEventUtilities.h>
#include <OIS.h>
#include <Ogre.h>

#include <cstdint>
#include <memory>

namespace
{
constexpr double kMillisecondsPerSecond = 1000.0;

// Milliseconds since the last reading, as seconds; a reading below the last one counts from 0.
float frameSeconds(Ogre::Timer* timer, std::uint32_t& lastTime)
{
    const std::uint32_t now = static_cast<std::uint32_t>(timer->getMilliseconds());
    if (now < lastTime)
    {
        lastTime = 0;
    }
    const std::uint32_t delta = now - lastTime;
    lastTime = now;
    return static_cast<float>(delta / kMillisecondsPerSecond);
}

void runFrameLoop(AppliOgreFromScratch& appli, Sarna::JeuTotal& controller, GameScene& scene, std::uint32_t lastTime)
{
    Ogre::Root* root = appli.getRoot();
    Ogre::RenderWindow* window = appli.getWindow();
    OIS::Keyboard* keyboard = appli.getKeyboard();
    OIS::Mouse* mouse = appli.getMouse();
    PointerPresence pointer(window);
    ViewControls view(*scene.getCameraNode(), *scene.getLightNode());
    bool windowClosed = false;
    while (true)
    {
        windowClosed = appli.pollCloseRequest();
        OgreBites::WindowEventUtilities::messagePump();
        window->setVisible(true);
        const float dt = frameSeconds(root->getTimer(), lastTime);
        const bool pointerStayedInside = pointer.stayedInside();
        bool stop = Sarna::stepGame(controller, *keyboard, mouse, dt) == 0;
        // A termination signal ends the game as Escape does.
        if (controller.getKeyPresses().struck(OIS::KC_ESCAPE) || platform::terminationRequested())
        {
            stop = true;
        }

        view.afterGameStep(controller, *mouse, *keyboard, dt, pointerStayedInside);
        scene.renderFrame();

        if (stop || windowClosed || window->isClosed())
        {
            return;
        }
    }
}
} // namespace

void runScene(AppliOgreFromScratch& appli)
{
    GameScene scene(appli.getRoot(), appli.getWindow(), appli.getOverlaySystem());

    Ogre::Root* root = appli.getRoot();
    root->clearEventTimes();
    const std::uint32_t firstTime = static_cast<std::uint32_t>(root->getTimer()->getMilliseconds());

    auto controller = std::make_unique<Sarna::JeuTotal>(scene.getSceneManager(), appli.getKeyboard());
    scene.completeAroundCharacters();
    runFrameLoop(appli, *controller, scene, firstTime);
}
