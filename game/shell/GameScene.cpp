#include "game/shell/GameScene.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"
#include "game/logic/StartCamera.h"
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

// The engine's fixed-function path works out a projected texture's coordinates when it sets up a pass, from the
// view then loaded in the render system, but loads the camera's view only when it draws the pass's first object.
// So the first pass of the camera's picture would project the shadow texture with the view of the shadow camera,
// drawn just before: when the sky comes last, that first pass is the ground's, and the shadows would land in the
// wrong place. Loading the camera's view as each queue of the picture starts puts them where the engine's own
// receiver pass puts them. Lights and the projection are loaded again with the first object anyway.
class GameScene::CameraViewBeforeGround : public Ogre::RenderQueueListener
{
public:
    CameraViewBeforeGround(Ogre::SceneManager* scene, Ogre::Viewport* picture) : sceneManager(scene), viewport(picture)
    {
    }

    void renderQueueStarted(Ogre::uint8, const Ogre::String&, bool&) override
    {
        if (sceneManager->getCurrentViewport() != viewport ||
            sceneManager->_getCurrentRenderStage() != Ogre::SceneManager::IRS_NONE)
            return;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        sceneManager->getDestinationRenderSystem()->_setViewMatrix(viewport->getCamera()->getViewMatrix(true));
#pragma GCC diagnostic pop
    }

private:
    Ogre::SceneManager* sceneManager;
    Ogre::Viewport* viewport;
};

// Clears the whole window, colour and depth, where the engine would clear the viewport: after the shadow texture
// is drawn, before the camera's picture. The software rasteriser clears a whole surface by marking its tiles, but
// part of one by drawing a rectangle over it, a pass as dear as the ground's. The parts of the window beside the
// viewport stay black, as they are when nothing draws there.
class GameScene::WholeWindowClear : public Ogre::SceneManager::Listener
{
public:
    WholeWindowClear(Ogre::RenderWindow* window, Ogre::Viewport* picture)
        : wholeWindow(window->addViewport(nullptr, kWholeWindowZOrder)), viewport(picture)
    {
        viewport->setClearEveryFrame(false);
    }

    void postFindVisibleObjects(Ogre::SceneManager*, Ogre::SceneManager::IlluminationRenderStage stage,
                                Ogre::Viewport* current) override
    {
        if (current == viewport && stage == Ogre::SceneManager::IRS_NONE)
            wholeWindow->clear(Ogre::FBT_COLOUR | Ogre::FBT_DEPTH, Ogre::ColourValue::Black);
    }

private:
    /// Below the picture's viewport; never updated, only cleared.
    static constexpr int kWholeWindowZOrder = 0;
    Ogre::Viewport* wholeWindow;
    Ogre::Viewport* viewport;
};

GameScene::GameScene(Ogre::Root* engineRoot, Ogre::RenderWindow* renderWindow, Ogre::OverlaySystem* overlaySystem,
                     RenderShortcuts renderShortcuts)
    : root(engineRoot), window(renderWindow), shortcuts(renderShortcuts)
{
    sceneManager = root->createSceneManager("DefaultSceneManager", "monPremierSceneManager");
    sceneManager->addRenderQueueListener(overlaySystem);
    setupShadows();
    createCameraAndViewport();
    if (shortcuts.shadowsInGroundPass)
    {
        cameraViewBeforeGround = std::make_unique<CameraViewBeforeGround>(sceneManager, viewport);
        sceneManager->addRenderQueueListener(cameraViewBeforeGround.get());
    }
    if (shortcuts.wholeWindowClear)
    {
        wholeWindowClear = std::make_unique<WholeWindowClear>(window, viewport);
        sceneManager->addListener(wholeWindowClear.get());
    }
    window->setActive(true);
    window->setAutoUpdated(false);
}

GameScene::~GameScene()
{
    if (cameraViewBeforeGround)
        sceneManager->removeRenderQueueListener(cameraViewBeforeGround.get());
    if (wholeWindowClear)
        sceneManager->removeListener(wholeWindowClear.get());
}

void GameScene::setupShadows()
{
    // The integrated variant draws the same shadow texture with the same camera set-up; it only leaves the
    // blending of it onto the receivers to their own pass (see addShadowToGroundPass), which saves drawing the
    // ground, which fills the picture, a second time.
    sceneManager->setShadowTechnique(shortcuts.shadowsInGroundPass ? Ogre::SHADOWTYPE_TEXTURE_MODULATIVE_INTEGRATED
                                                                   : Ogre::SHADOWTYPE_TEXTURE_MODULATIVE);
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
    // Drawn last, the sky is still behind everything (it writes no depth and lies beyond all else), but the depth
    // test skips it where the ground already covers the picture instead of filling those pixels twice.
    const bool skyFirst = !shortcuts.skyAfterSolids;
    sceneManager->setSkyBox(true, Sarna::kSkyMaterialName, kSkyBoxDistance, skyFirst, Ogre::Quaternion::IDENTITY,
                            Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    sceneManager->setAmbientLight(Ogre::ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    createLight();
    Sarna::placeStartCamera(*cameraNode);
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
    Ogre::Pass& groundPass = *ground->getSubEntity(0)->getMaterial()->getTechnique(0)->getPass(0);
    if (shortcuts.sandBilinear)
        sampleSingleLevelTexturesBilinearly(groundPass);
    if (shortcuts.shadowsInGroundPass)
        addShadowToGroundPass(groundPass);
    sceneManager->getRootSceneNode()->createChildSceneNode()->attachObject(ground);
}

// Loads the material first: a stage knows how many levels its texture has only once the texture is loaded.
void GameScene::sampleSingleLevelTexturesBilinearly(Ogre::Pass& pass)
{
    pass.getParent()->getParent()->load();
    for (Ogre::TextureUnitState* stage : pass.getTextureUnitStates())
    {
        const Ogre::TexturePtr& texture = stage->_getTexturePtr();
        if (texture && texture->getNumMipmaps() == 0)
            stage->setTextureFiltering(Ogre::TFO_BILINEAR);
    }
}

// What the engine's separate receiver pass does, done by a last texture stage of the ground's pass: the lit sand
// times the shadow texture (white where no caster is, the shadow colour where one is), projected from the shadow
// camera, clamped to a white border, sampled like the engine's own receiver pass samples it. The engine binds the
// shadow texture and its projection to a stage of this content type.
void GameScene::addShadowToGroundPass(Ogre::Pass& groundPass)
{
    for (const Ogre::TextureUnitState* stage : groundPass.getTextureUnitStates())
        if (stage->getContentType() == Ogre::TextureUnitState::CONTENT_SHADOW)
            return;
    Ogre::TextureUnitState* shadow = groundPass.createTextureUnitState();
    shadow->setContentType(Ogre::TextureUnitState::CONTENT_SHADOW);
    shadow->setTextureAddressingMode(Ogre::TextureUnitState::TAM_BORDER);
    shadow->setTextureBorderColour(Ogre::ColourValue::White);
    shadow->setTextureFiltering(Ogre::FO_LINEAR, Ogre::FO_LINEAR, Ogre::FO_NONE);
    shadow->setColourOperation(Ogre::LBO_MODULATE);
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

// The window is not updated by the root: the loop draws the viewport itself, then lets the root raise its
// frame events.
void GameScene::renderFrame()
{
    viewport->update();
    window->swapBuffers();
    root->renderOneFrame();
}
