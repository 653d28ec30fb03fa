#include "game/shell/GameScene.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"
#include "game/logic/StartView.h"

#include <Ogre.h>
#include <OgreShadowCameraSetupLiSPSM.h>
#include <Overlay/OgreOverlaySystem.h>

namespace
{
constexpr float kGroundBoundsHalfHeight = 0.5f;
// The sky box's corners lie at sqrt(3) times its distance and must stay inside the camera's far clip (2000).
constexpr float kSkyBoxDistance = 1000.0f;
} // namespace

GameScene::GameScene(Ogre::Root* engineRoot, Ogre::RenderWindow* renderWindow, Ogre::OverlaySystem* overlaySystem)
    : root(engineRoot), window(renderWindow)
{
    sceneManager = root->createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    sceneManager->addRenderQueueListener(overlaySystem);
    setupShadows();
    createCameraAndViewport();
    window->setActive(true);
    window->setAutoUpdated(false);
}

GameScene::~GameScene() = default;

void GameScene::setupShadows()
{
    sceneManager->setShadowTechnique(Ogre::SHADOWTYPE_TEXTURE_MODULATIVE);
    sceneManager->setShadowFarDistance(3000);
    sceneManager->setShadowColour(Ogre::ColourValue(0.4f, 0.2f, 0.2f, 1.0f));
    sceneManager->setShadowTexturePixelFormat(Ogre::PF_L8);
    sceneManager->setShadowTextureCount(1);
    sceneManager->setShadowTextureSize(512);
    shadowCameraSetup = Ogre::ShadowCameraSetupPtr(new Ogre::LiSPSMShadowCameraSetup());
    sceneManager->setShadowCameraSetup(shadowCameraSetup);
}

// The camera looks straight down from its node; the viewport covers the middle 60 % of the window.
void GameScene::createCameraAndViewport()
{
    Ogre::Camera* camera = sceneManager->createCamera(Sarna::kTopCameraName);
    cameraNode = sceneManager->getRootSceneNode()->createChildSceneNode("nodeDeMaPremiereCamera", Ogre::Vector3::ZERO,
                                                                        Ogre::Quaternion::IDENTITY);
    cameraNode->attachObject(camera);

    viewport = window->addViewport(camera, 100, kViewportLeft, kViewportTop, kViewportWidth, kViewportHeight);
    viewport->setBackgroundColour(Ogre::ColourValue(1.0f, 0.0f, 1.0f, 1.0f));

    const double aspectRatio =
        static_cast<double>(viewport->getActualWidth()) / static_cast<double>(viewport->getActualHeight());
    camera->setAspectRatio(static_cast<Ogre::Real>(aspectRatio));
    camera->setNearClipDistance(1.0f);
    camera->setFarClipDistance(2000.0f);
}

void GameScene::completeAroundCharacters()
{
    buildGround();
    sceneManager->setSkyBox(true, Sarna::kSkyMaterialName, kSkyBoxDistance, true, Ogre::Quaternion::IDENTITY,
                            Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    sceneManager->setAmbientLight(Ogre::ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    createLight();
    placeCamera(*cameraNode);
}

void GameScene::buildGround()
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
    ground->setMaterialName(Sarna::kGroundMaterialName);
    ground->setCastShadows(false);
    ground->getSubEntity(0)->getMaterial()->setReceiveShadows(true);
    sceneManager->getRootSceneNode()->createChildSceneNode()->attachObject(ground);
}

void GameScene::createLight()
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

    lightNode = sceneManager->getRootSceneNode()->createChildSceneNode("lightNode", Ogre::Vector3::UNIT_SCALE * 300,
                                                                       Ogre::Quaternion::IDENTITY);
    lightNode->attachObject(light);
}

void GameScene::placeCamera(Ogre::SceneNode& node)
{
    node.setOrientation(Ogre::Quaternion::IDENTITY);
    node.setPosition(0.0f, Sarna::kStartCameraHeight, Sarna::kStartCameraZ);
    node.pitch(Ogre::Degree(-90), Ogre::Node::TS_LOCAL);
    node.roll(Ogre::Degree(180), Ogre::Node::TS_LOCAL);
}

// The window is not updated by the root: the loop draws the viewport itself, then lets the root raise its
// frame events.
void GameScene::renderFrame()
{
    viewport->update();
    window->swapBuffers();
    root->renderOneFrame();
}
