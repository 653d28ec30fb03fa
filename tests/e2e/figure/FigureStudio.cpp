#include "FigureStudio.h"

#include "game/logic/GameMediaNames.h"
#include "game/logic/GameWorld.h"

#include <Ogre.h>

namespace
{
const Ogre::ColourValue kSettingBackground(0.2f, 0.2f, 0.3f);
} // namespace

FigureStudio::FigureStudio(const std::string& pluginDirectory, const std::string& mediaDirectory)
    : engine("figure-strip.log", false, HeadlessEngine::Buffers::RenderSystem)
{
    Ogre::Root& root = engine.getRoot();
    try
    {
        window = WindowPicture::open(root, pluginDirectory, "Figure strip", kWidth, kHeight);

        auto& resources = Ogre::ResourceGroupManager::getSingleton();
        resources.addResourceLocation("/usr/share/OGRE/Media/ShadowVolume", "FileSystem", "OgreInternal");
        resources.addResourceLocation(mediaDirectory, "FileSystem", "General");
        resources.initialiseAllResourceGroups();
        buildScene();
        ready = true;
    }
    catch (const Ogre::Exception& error)
    {
        Ogre::LogManager::getSingleton().logMessage("figure studio: " + error.getFullDescription());
    }
}

void FigureStudio::buildScene()
{
    sceneManager = engine.getRoot().createSceneManager("DefaultSceneManager", "figureStudio");
    sceneManager->setShadowTechnique(Ogre::SHADOWTYPE_TEXTURE_MODULATIVE);
    sceneManager->setShadowColour(Ogre::ColourValue(0.4f, 0.2f, 0.2f));
    sceneManager->setShadowTextureSize(1024);
    sceneManager->setAmbientLight(Ogre::ColourValue(0.5f, 0.5f, 0.5f));

    Ogre::Light* light = sceneManager->createLight("sun");
    light->setType(Ogre::Light::LT_DIRECTIONAL);
    light->setDiffuseColour(0.8f, 0.8f, 0.8f);
    light->setSpecularColour(1.0f, 1.0f, 0.0f);
    Ogre::SceneNode* lightNode = sceneManager->getRootSceneNode()->createChildSceneNode();
    lightNode->attachObject(light);
    lightNode->setDirection(Ogre::Vector3(-0.4f, -0.8f, 0.2f), Ogre::Node::TS_WORLD);

    Ogre::Camera* camera = sceneManager->createCamera("studioCamera");
    camera->setNearClipDistance(0.5f);
    camera->setFarClipDistance(8000.0f);
    camera->setFOVy(Ogre::Degree(38.0f));
    cameraNode = sceneManager->getRootSceneNode()->createChildSceneNode();
    cameraNode->attachObject(camera);
    viewport = window->addViewport(camera);
    camera->setAspectRatio(static_cast<float>(kWidth) / static_cast<float>(kHeight));

    Ogre::Plane plane(Ogre::Vector3::UNIT_Y, 0.0f);
    Ogre::MeshManager::getSingleton().createPlane("studioGround", Ogre::RGN_DEFAULT, plane, 200.0f, 200.0f, 30, 30,
                                                  true, 1, 5.0f, 5.0f, Ogre::Vector3::UNIT_Z);
    Ogre::Entity* ground = sceneManager->createEntity("studioGround");
    ground->setMaterialName(Sarna::kGroundMaterialName);
    ground->setCastShadows(false);
    groundNode = sceneManager->getRootSceneNode()->createChildSceneNode();
    groundNode->attachObject(ground);

    figure = sceneManager->createEntity("man", Sarna::kFigureMeshName);
    figure->setCastShadows(true);
    Ogre::SceneNode* manNode = sceneManager->getRootSceneNode()->createChildSceneNode();
    // Raised as the game raises its figures, so that his soles touch the ground at y = 0.
    manNode->translate(0.0f, Sarna::kFigureFeetHeight, 0.0f);
    manNode->attachObject(figure);
}

void FigureStudio::showSetting(bool inSetting)
{
    groundNode->setVisible(inSetting);
    sceneManager->setShadowTechnique(inSetting ? Ogre::SHADOWTYPE_TEXTURE_MODULATIVE : Ogre::SHADOWTYPE_NONE);
    if (inSetting)
        sceneManager->setSkyBox(true, Sarna::kSkyMaterialName, 5000.0f);
    else
        sceneManager->setSkyBox(false, "");
    const Ogre::ColourValue plain(kBackground[0] / 255.0f, kBackground[1] / 255.0f, kBackground[2] / 255.0f);
    viewport->setBackgroundColour(inSetting ? kSettingBackground : plain);
    // Measured exactly from the man's left at his own height, so that lying down shows as flat; shown from
    // slightly above and ahead, as a person would look at him.
    cameraNode->setPosition(inSetting ? Ogre::Vector3(9.5f, 3.0f, 7.5f) : Ogre::Vector3(14.0f, 1.6f, 1.6f));
    cameraNode->lookAt(Ogre::Vector3(0.0f, 1.3f, 1.6f), Ogre::Node::TS_WORLD);
}

FigureStudio::Frame FigureStudio::render(const std::string& animation, float time, bool inSetting)
{
    Ogre::AnimationStateSet* states = figure->getAllAnimationStates();
    for (const auto& entry : states->getAnimationStates())
        entry.second->setEnabled(false);
    Ogre::AnimationState* state = figure->getAnimationState(animation);
    state->setEnabled(true);
    state->setLoop(false);
    state->setTimePosition(time);
    showSetting(inSetting);

    // The frame events first, so shadow textures and the skinned pose are current for this frame.
    engine.getRoot().renderOneFrame();
    viewport->update();
    Frame frame = capture();
    window->swapBuffers();
    return frame;
}

FigureStudio::Frame FigureStudio::capture()
{
    return WindowPicture::capture(*window);
}

bool FigureStudio::savePng(const Frame& image, const std::string& fileName)
{
    return WindowPicture::savePng(image, fileName);
}
