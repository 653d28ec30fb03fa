// Draws the game's scene (the real GameScene, the game's data, a crowd of running men) from fixed views twice
// under a real X server: once with the scene's plain settings and once with the drawing shortcuts the game takes,
// and fails when the pictures differ. The views: the start view looking down on the crowd and its shadows; the
// camera flown low behind the crowd and tilted, so the sky, the ground's far edge and long shadows show; and the
// start view with the light turned. Writes each picture and a map of the differing pixels to the folder given.
//
// Usage: scene_views OUTPUT_DIRECTORY

#include "SceneCrowd.h"
#include "engine/HeadlessEngine.h"
#include "game/logic/StartCamera.h"
#include "game/shell/GameScene.h"
#include "support/WindowPicture.h"

#include <Ogre.h>
#include <Overlay/OgreOverlaySystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using WindowPicture::Picture;

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kRunners = 60;
/// A pixel differs when one of its channels differs by more than this (of 255): rounding in a different order of
/// the same arithmetic stays below it, a shadow or a sky drawn differently does not.
constexpr int kChannelTolerance = 6;
/// At most this share of a view's pixels may differ.
constexpr double kMostDifferingShare = 0.001;

struct View
{
    const char* name;
    std::function<void(Ogre::SceneNode& camera, Ogre::SceneNode& light)> place;
};

const std::vector<View> kViews = {
    {"start", [](Ogre::SceneNode& camera, Ogre::SceneNode&) { Sarna::placeStartCamera(camera); }},
    {"low-and-tilted",
     [](Ogre::SceneNode& camera, Ogre::SceneNode&)
     {
         camera.setPosition(6.0f, 7.0f, -40.0f);
         camera.lookAt(Ogre::Vector3(0.0f, 0.0f, 30.0f), Ogre::Node::TS_WORLD);
         camera.roll(Ogre::Degree(12.0f), Ogre::Node::TS_LOCAL);
     }},
    {"light-turned",
     [](Ogre::SceneNode& camera, Ogre::SceneNode& light)
     {
         Sarna::placeStartCamera(camera);
         // As 60 frames of the light's pitch key and 100 of a yaw key turn it.
         light.pitch(Ogre::Degree(18.0f), Ogre::Node::TS_LOCAL);
         light.yaw(Ogre::Degree(30.0f), Ogre::Node::TS_LOCAL);
     }},
};

void loadResources()
{
    // As the game does: no mipmaps.
    Ogre::TextureManager::getSingleton().setDefaultNumMipmaps(0);
    auto& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation("/usr/share/OGRE/Media/ShadowVolume", "FileSystem", "OgreInternal");
    resources.addResourceLocation(SCENE_MEDIA_DIR, "FileSystem", "General");
    resources.initialiseAllResourceGroups();
}

/// Every view drawn by a new scene with the given shortcuts; the scene is taken down again afterwards.
std::vector<Picture> drawViews(Ogre::Root& root, Ogre::RenderWindow& window, Ogre::OverlaySystem& overlays,
                               RenderShortcuts shortcuts)
{
    std::vector<Picture> pictures;
    Ogre::SceneManager* sceneManager = nullptr;
    {
        GameScene scene(&root, &window, &overlays, shortcuts);
        sceneManager = scene.getSceneManager();
        SceneCrowd crowd(sceneManager, kRunners);
        scene.completeAroundCharacters();
        const Ogre::Quaternion lightStart = scene.getLightNode()->getOrientation();
        for (const View& view : kViews)
        {
            scene.getLightNode()->setOrientation(lightStart);
            view.place(*scene.getCameraNode(), *scene.getLightNode());
            scene.getViewport()->update();
            pictures.push_back(WindowPicture::capture(window));
            window.swapBuffers();
        }
    }
    root.destroySceneManager(sceneManager);
    window.removeAllViewports();
    Ogre::MeshManager::getSingleton().remove("MonPlanMesh", Ogre::RGN_DEFAULT);
    return pictures;
}

/// White where the two pictures differ by more than the tolerance, black elsewhere; and how many such pixels.
Picture differences(const Picture& a, const Picture& b, long& count)
{
    Picture map(a.width(), a.height(), 1, 1, 0);
    count = 0;
    cimg_forXY(a, x, y)
    {
        int largest = 0;
        for (int c = 0; c < 3; ++c)
            largest = std::max(largest, std::abs(int(a(x, y, 0, c)) - int(b(x, y, 0, c))));
        if (largest > kChannelTolerance)
        {
            map(x, y) = 255;
            ++count;
        }
    }
    return map;
}

int compareViews(const std::vector<Picture>& plain, const std::vector<Picture>& shortcut, const std::string& folder)
{
    int failures = 0;
    for (std::size_t i = 0; i < kViews.size(); ++i)
    {
        const std::string name = kViews[i].name;
        long differing = 0;
        const Picture map = differences(plain[i], shortcut[i], differing);
        const double share = static_cast<double>(differing) / (plain[i].width() * plain[i].height());
        const bool same = share <= kMostDifferingShare;
        std::printf("%s: %s: %ld pixels (%.4f %%) differ by more than %d\n", same ? "ok" : "FAILED", name.c_str(),
                    differing, 100.0 * share, kChannelTolerance);
        failures += same ? 0 : 1;
        const bool saved = WindowPicture::savePng(plain[i], folder + "/" + name + "-plain.png") &&
                           WindowPicture::savePng(shortcut[i], folder + "/" + name + "-shortcuts.png") &&
                           WindowPicture::savePng(map, folder + "/" + name + "-differences.png");
        failures += saved ? 0 : 1;
    }
    return failures;
}

/// The views must show what they are for, or two blank pictures would pass: turning the light moves the shadows.
int checkViewsShowShadows(const std::vector<Picture>& plain)
{
    long moved = 0;
    differences(plain[0], plain[2], moved);
    const bool shown = moved > 2000;
    std::printf("%s: turning the light changes %ld pixels of the start view\n", shown ? "ok" : "FAILED", moved);
    return shown ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    HeadlessEngine engine("scene-views.log", false, HeadlessEngine::Buffers::RenderSystem);
    // Declared after the engine, so that it goes first: it still uses the root's managers.
    auto overlays = std::make_unique<Ogre::OverlaySystem>();
    try
    {
        Ogre::Root& root = engine.getRoot();
        Ogre::RenderWindow* window =
            WindowPicture::open(root, SCENE_PLUGIN_DIR, "Scene views", kWindowWidth, kWindowHeight);
        loadResources();
        // The plain settings first: the shortcuts change the ground's material for good.
        const std::vector<Picture> plain = drawViews(root, *window, *overlays, RenderShortcuts::none());
        const std::vector<Picture> shortcut = drawViews(root, *window, *overlays, RenderShortcuts::all());
        const int failures = checkViewsShowShadows(plain) + compareViews(plain, shortcut, argv[1]);
        std::printf("%d checks failed\n", failures);
        return failures == 0 ? 0 : 1;
    }
    catch (const Ogre::Exception& error)
    {
        std::fprintf(stderr, "%s\n", error.getFullDescription().c_str());
        return 1;
    }
}
