#include "game/shell/runScene.h"

#include "game/logic/GameWorld.h"
#include "game/logic/JeuTotal.h"
#include "game/shell/AppliOgreFromScratch.h"

#include <Bites/OgreWindowEventUtilities.h>
#include <OIS.h>
#include <Ogre.h>
#include <OgreShadowCameraSetupLiSPSM.h>
#include <Overlay/OgreOverlaySystem.h>

#include <cstdint>
#include <memory>

namespace
{
constexpr float kCameraSpeed = 45.0f;     // world units per second
constexpr float kMouseLookFactor = 1.5f;  // degrees per mouse count and camera step unit
constexpr float kLightTurnDegrees = 0.3f; // per frame, whatever the frame's length
constexpr double kMillisecondsPerSecond = 1000.0;
constexpr float kGroundBoundsHalfHeight = 0.5f;
// The sky box's corners lie at sqrt(3) times its distance and must stay inside the camera's far clip (2000).
constexpr float kSkyBoxDistance = 1000.0f;

struct SceneParts
{
    Ogre::SceneManager* sceneManager;
    Ogre::Viewport* viewport;
    Ogre::SceneNode* cameraNode;
    Ogre::SceneNode* lightNode;
};

Ogre::SceneManager* createSceneManager(AppliOgreFromScratch& appli)
{
    Ogre::SceneManager* sceneManager =
        appli.getRoot()->createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    sceneManager->addRenderQueueListener(appli.getOverlaySystem());
    return sceneManager;
}

void setupShadows(Ogre::SceneManager* sceneManager, const Ogre::ShadowCameraSetupPtr& shadowCameraSetup)
{
    sceneManager->setShadowTechnique(Ogre::SHADOWTYPE_TEXTURE_MODULATIVE);
    sceneManager->setShadowFarDistance(3000);
    sceneManager->setShadowColour(Ogre::ColourValue(0.4f, 0.2f, 0.2f, 1.0f));
    sceneManager->setShadowTexturePixelFormat(Ogre::PF_L8);
    sceneManager->setShadowTextureCount(1);
    sceneManager->setShadowTextureSize(512);
    sceneManager->setShadowCameraSetup(shadowCameraSetup);
}

// The camera looks straight down from its node; the viewport covers the middle 60 % of the window.
void createCameraAndViewport(Ogre::RenderWindow* window, SceneParts& scene)
{
    Ogre::Camera* camera = scene.sceneManager->createCamera("CameraTop");
    scene.cameraNode = scene.sceneManager->getRootSceneNode()->createChildSceneNode(
        "nodeDeMaPremiereCamera", Ogre::Vector3::ZERO, Ogre::Quaternion::IDENTITY);
    scene.cameraNode->attachObject(camera);

    scene.viewport = window->addViewport(camera, 100, 0.2f, 0.0f, 0.6f, 1.0f);
    scene.viewport->setBackgroundColour(Ogre::ColourValue(1.0f, 0.0f, 1.0f, 1.0f));

    const double aspectRatio =
        static_cast<double>(scene.viewport->getActualWidth()) / static_cast<double>(scene.viewport->getActualHeight());
    camera->setAspectRatio(static_cast<Ogre::Real>(aspectRatio));
    camera->setNearClipDistance(1.0f);
    camera->setFarClipDistance(2000.0f);
}

void buildGround(Ogre::SceneManager* sceneManager)
{
    Ogre::Plane plane;
    plane.redefine(Ogre::Vector3::UNIT_Y, Ogre::Vector3::ZERO);
    Ogre::MeshPtr mesh = Ogre::MeshManager::getSingleton().createPlane(
        "MonPlanMesh", Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME, plane, Sarna::kGroundSize,
        Sarna::kGroundSize, 30, 30, true, 2, 5, 5, Ogre::Vector3::UNIT_Z, Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY,
        Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY, true, true);
    // A flat box gives the shadow camera set-up an empty focus region and the shadow texture stays blank; a
    // little height lets it frame the receivers.
    mesh->_setBounds(Ogre::AxisAlignedBox(-Sarna::kGroundHalfSize, -kGroundBoundsHalfHeight, -Sarna::kGroundHalfSize,
                                          Sarna::kGroundHalfSize, kGroundBoundsHalfHeight, Sarna::kGroundHalfSize),
                     false);

    Ogre::Entity* ground = sceneManager->createEntity("lePlan", "MonPlanMesh");
    ground->setMaterialName("TerrainSarnavel");
    ground->setCastShadows(false);
    ground->getSubEntity(0)->getMaterial()->setReceiveShadows(true);
    sceneManager->getRootSceneNode()->createChildSceneNode()->attachObject(ground);
}

Ogre::SceneNode* createLight(Ogre::SceneManager* sceneManager)
{
    Ogre::Light* light = sceneManager->createLight("maLumiere");
    light->setType(Ogre::Light::LT_DIRECTIONAL);
    // The light keeps its own direction, turned by its node's orientation, so the light keys turn it about
    // the node's axes; the engine marks this older form of positioning as deprecated.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    light->setDirection(Ogre::Vector3(0.0f, -0.8f, 0.2f));
#pragma GCC diagnostic pop
    light->setDiffuseColour(Ogre::ColourValue(0.8f, 0.8f, 0.8f));
    light->setSpecularColour(Ogre::ColourValue(1.0f, 1.0f, 0.0f));
    light->setCastShadows(true);

    Ogre::SceneNode* lightNode = sceneManager->getRootSceneNode()->createChildSceneNode(
        "lightNode", Ogre::Vector3::UNIT_SCALE * 300, Ogre::Quaternion::IDENTITY);
    lightNode->attachObject(light);
    return lightNode;
}

void placeCamera(Ogre::SceneNode* cameraNode)
{
    cameraNode->setPosition(0, 65, 20);
    cameraNode->pitch(Ogre::Degree(-90), Ogre::Node::TS_LOCAL);
    cameraNode->roll(Ogre::Degree(180), Ogre::Node::TS_LOCAL);
}

void buildSceneAroundController(Ogre::SceneManager* sceneManager, SceneParts& scene)
{
    buildGround(sceneManager);
    sceneManager->setSkyBox(true, "Examples/EveningSkyBox", kSkyBoxDistance, true, Ogre::Quaternion::IDENTITY,
                            Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    sceneManager->setAmbientLight(Ogre::ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    scene.lightNode = createLight(sceneManager);
    placeCamera(scene.cameraNode);
}

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

void moveCamera(Ogre::SceneNode* cameraNode, const OIS::Mouse* mouse, const OIS::Keyboard* keyboard, float step)
{
    const OIS::MouseState& mouseState = mouse->getMouseState();
    const float yawDegrees = -mouseState.X.rel * step * kMouseLookFactor;
    const float pitchDegrees = -mouseState.Y.rel * step * kMouseLookFactor;
    cameraNode->yaw(Ogre::Degree(yawDegrees), Ogre::Node::TS_WORLD);
    cameraNode->pitch(Ogre::Degree(pitchDegrees), Ogre::Node::TS_LOCAL);

    struct CameraKey
    {
        OIS::KeyCode key;
        Ogre::Vector3 direction;
        Ogre::Node::TransformSpace space;
    };
    static const CameraKey cameraKeys[] = {
        {OIS::KC_UP, Ogre::Vector3(0, 0, -1), Ogre::Node::TS_LOCAL},
        {OIS::KC_DOWN, Ogre::Vector3(0, 0, 1), Ogre::Node::TS_LOCAL},
        {OIS::KC_LEFT, Ogre::Vector3(-1, 0, 0), Ogre::Node::TS_LOCAL},
        {OIS::KC_RIGHT, Ogre::Vector3(1, 0, 0), Ogre::Node::TS_LOCAL},
        {OIS::KC_PGUP, Ogre::Vector3(0, 1, 0), Ogre::Node::TS_WORLD},
        {OIS::KC_PGDOWN, Ogre::Vector3(0, -1, 0), Ogre::Node::TS_WORLD},
    };
    for (const CameraKey& cameraKey : cameraKeys)
    {
        if (keyboard->isKeyDown(cameraKey.key))
        {
            cameraNode->translate(cameraKey.direction * step, cameraKey.space);
        }
    }
}

void turnLight(Ogre::SceneNode* lightNode, const OIS::Keyboard* keyboard)
{
    const Ogre::Degree turn(kLightTurnDegrees);
    if (keyboard->isKeyDown(OIS::KC_O))
    {
        lightNode->pitch(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_L))
    {
        lightNode->pitch(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_K))
    {
        lightNode->yaw(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_M))
    {
        lightNode->yaw(-turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_I))
    {
        lightNode->roll(turn, Ogre::Node::TS_LOCAL);
    }
    if (keyboard->isKeyDown(OIS::KC_P))
    {
        lightNode->roll(-turn, Ogre::Node::TS_LOCAL);
    }
}

// The window is not updated by the root: the loop draws the viewport itself, then lets the root raise its
// frame events.
void renderFrame(Ogre::Root* root, Ogre::RenderWindow* window, Ogre::Viewport* viewport)
{
    viewport->update();
    window->swapBuffers();
    root->renderOneFrame();
}

void runFrameLoop(AppliOgreFromScratch& appli, Sarna::JeuTotal& controller, const SceneParts& scene,
                  std::uint32_t lastTime)
{
    Ogre::Root* root = appli.getRoot();
    Ogre::RenderWindow* window = appli.getWindow();
    OIS::Keyboard* keyboard = appli.getKeyboard();
    OIS::Mouse* mouse = appli.getMouse();
    bool windowClosed = false;
    while (true)
    {
        windowClosed = appli.pollCloseRequest();
        OgreBites::WindowEventUtilities::messagePump();
        window->setVisible(true);
        const float dt = frameSeconds(root->getTimer(), lastTime);
        keyboard->capture();
        mouse->capture();

        bool stop = controller.update(dt) == 0;
        controller.updateOwned(dt);
        if (keyboard->isKeyDown(OIS::KC_ESCAPE))
        {
            stop = true;
        }

        const float step = kCameraSpeed * dt;
        moveCamera(scene.cameraNode, mouse, keyboard, step);
        turnLight(scene.lightNode, keyboard);
        renderFrame(root, window, scene.viewport);

        if (stop || windowClosed || window->isClosed())
        {
            return;
        }
    }
}
} // namespace

void runScene(AppliOgreFromScratch& appli)
{
    SceneParts scene{};
    scene.sceneManager = createSceneManager(appli);
    Ogre::ShadowCameraSetupPtr shadowCameraSetup(new Ogre::LiSPSMShadowCameraSetup());
    setupShadows(scene.sceneManager, shadowCameraSetup);
    createCameraAndViewport(appli.getWindow(), scene);

    Ogre::RenderWindow* window = appli.getWindow();
    window->setActive(true);
    window->setAutoUpdated(false);

    Ogre::Root* root = appli.getRoot();
    root->clearEventTimes();
    const std::uint32_t firstTime = static_cast<std::uint32_t>(root->getTimer()->getMilliseconds());

    auto controller = std::make_unique<Sarna::JeuTotal>(scene.sceneManager, appli.getKeyboard());
    buildSceneAroundController(scene.sceneManager, scene);
    runFrameLoop(appli, *controller, scene, firstTime);
}
