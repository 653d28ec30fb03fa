// The running man in the engine: his proportions in the bind pose, where his body goes in "Run" and "Dying"
// (vertices skinned on the CPU with the skeleton's own bone matrices), and the files the game loads.

#include "FigureAnimations.h"
#include "FigureMeshWriter.h"
#include "FigureModel.h"
#include "FigurePalette.h"
#include "FigureRig.h"
#include "MaterialScriptWriter.h"
#include "engine/HeadlessEngine.h"
#include "game/logic/GameWorld.h"
#include "support/TempDir.h"

#include <OgreAnimation.h>
#include <OgreBone.h>
#include <OgreEntity.h>
#include <OgreHardwareBuffer.h>
#include <OgreMesh.h>
#include <OgreMeshManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <OgreSkeleton.h>
#include <OgreSkeletonInstance.h>
#include <OgreSkeletonManager.h>
#include <OgreSubEntity.h>
#include <OgreSubMesh.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr float kGround = -FigureRig::kOriginAboveFeet;

/// The figure's vertices in a pose of one of its animations, skinned as the engine does it.
class PosedFigure
{
public:
    PosedFigure() : geometry(FigureModel::build())
    {
        skeleton = Ogre::SkeletonManager::getSingleton().create("posed.skeleton", Ogre::RGN_DEFAULT, true);
        // Loaded while empty, so that it frees its bones and animations when it goes.
        skeleton->load();
        FigureRig::buildBones(*skeleton);
        FigureAnimations::addTo(*skeleton);
    }
    ~PosedFigure() { Ogre::SkeletonManager::getSingleton().remove(skeleton); }

    /// Vertices at time of animation; an empty animation name gives the bind pose.
    std::vector<Ogre::Vector3> at(const std::string& animation, float time)
    {
        skeleton->reset(true);
        if (!animation.empty())
            skeleton->getAnimation(animation)->apply(skeleton.get(), time);
        std::vector<Ogre::Affine3> matrices(skeleton->getNumBones());
        skeleton->_getBoneMatrices(matrices.data());
        std::vector<Ogre::Vector3> posed;
        for (const FigureVertex& vertex : geometry.getVertices())
            posed.push_back(matrices[vertex.bone] * vertex.position);
        return posed;
    }

    /// Where a bone's pivot is at time of animation.
    Ogre::Vector3 pivotAt(const std::string& animation, float time, FigureBone bone)
    {
        at(animation, time);
        return skeleton->getBone(bone)->_getDerivedPosition();
    }

    FigureGeometry geometry;
    Ogre::SkeletonPtr skeleton;
};

Ogre::AxisAlignedBox boundsOf(const std::vector<Ogre::Vector3>& points)
{
    Ogre::AxisAlignedBox box;
    for (const Ogre::Vector3& point : points)
        box.merge(point);
    return box;
}

class FigureTest : public ::testing::Test
{
protected:
    HeadlessEngine engine;
    PosedFigure figure;
};

TEST_F(FigureTest, StandsFourUnitsTallOnTheGroundFacingPlusZ)
{
    const Ogre::AxisAlignedBox box = boundsOf(figure.at("", 0.0f));
    EXPECT_NEAR(box.getMinimum().y, kGround, 0.01f);
    // The game keeps the head in the picture by this height.
    EXPECT_NEAR(box.getMaximum().y - box.getMinimum().y, Sarna::kFigureHeight, 0.15f);
    EXPECT_LT(box.getSize().x, 1.4f);
    // Nose and toes point to +Z: the body reaches further forward than backward.
    EXPECT_GT(box.getMaximum().z, -box.getMinimum().z);
}

TEST_F(FigureTest, IsALowPolyPersonInAFewColours)
{
    EXPECT_GE(figure.geometry.triangleCount(), 300u);
    EXPECT_LE(figure.geometry.triangleCount(), 900u);
    EXPECT_GE(figure.geometry.getColourNames().size(), 4u);
    for (const auto& triangles : figure.geometry.getTriangles())
        EXPECT_FALSE(triangles.empty());
}

TEST_F(FigureTest, RunLoopsSeamlesslyWithFeetOnTheGround)
{
    const auto start = figure.at(FigureAnimations::kRunName, 0.0f);
    const auto end = figure.at(FigureAnimations::kRunName, FigureAnimations::kRunLength);
    for (std::size_t i = 0; i < start.size(); ++i)
        ASSERT_LT(start[i].distance(end[i]), 1e-3f) << "vertex " << i;

    for (float time = 0.0f; time < FigureAnimations::kRunLength; time += 0.05f)
    {
        const Ogre::AxisAlignedBox box = boundsOf(figure.at(FigureAnimations::kRunName, time));
        // The lowest foot stays near the ground: no sinking in, no floating away.
        EXPECT_GT(box.getMinimum().y, kGround - 0.12f) << "at " << time;
        EXPECT_LT(box.getMinimum().y, kGround + 0.45f) << "at " << time;
    }
}

TEST_F(FigureTest, RunSwingsLegsAndArmsInOpposition)
{
    const float quarter = FigureAnimations::kRunLength / 4.0f;
    const auto footZ = [&](float time, FigureBone foot)
    { return figure.pivotAt(FigureAnimations::kRunName, time, foot).z; };
    const auto handZ = [&](float time, FigureBone arm)
    { return figure.pivotAt(FigureAnimations::kRunName, time, arm).z; };

    EXPECT_GT(footZ(quarter, BoneFootLeft) - footZ(quarter, BoneFootRight), 0.8f);
    EXPECT_GT(footZ(3 * quarter, BoneFootRight) - footZ(3 * quarter, BoneFootLeft), 0.8f);
    // With the left leg forward the right arm swings forward.
    EXPECT_GT(handZ(quarter, BoneForeArmRight), handZ(quarter, BoneForeArmLeft));
    EXPECT_GT(handZ(3 * quarter, BoneForeArmLeft), handZ(3 * quarter, BoneForeArmRight));
}

TEST_F(FigureTest, DyingEndsLyingFaceDownAtFootLevel)
{
    EXPECT_GE(FigureAnimations::kDyingLength, 1.5f);
    EXPECT_LE(FigureAnimations::kDyingLength, 2.5f);

    const Ogre::AxisAlignedBox lying =
        boundsOf(figure.at(FigureAnimations::kDyingName, FigureAnimations::kDyingLength));
    EXPECT_GT(lying.getMinimum().y, kGround - 0.1f);
    EXPECT_LT(lying.getMaximum().y, kGround + 0.9f);
    EXPECT_GT(lying.getSize().z, 3.5f);

    const Ogre::Vector3 head = figure.pivotAt(FigureAnimations::kDyingName, FigureAnimations::kDyingLength, BoneHead);
    EXPECT_LT(head.y, kGround + 0.5f);
    EXPECT_GT(head.z, 2.5f);
}

TEST_F(FigureTest, DyingFallsWithoutPassingThroughTheGround)
{
    float previousTop = 10.0f;
    for (float time = 0.0f; time <= FigureAnimations::kDyingLength; time += 0.05f)
    {
        const Ogre::AxisAlignedBox box = boundsOf(figure.at(FigureAnimations::kDyingName, time));
        EXPECT_GT(box.getMinimum().y, kGround - 0.15f) << "at " << time;
        if (time > 0.4f)
        {
            // After the blow the body only goes down, apart from a small rebound on landing.
            EXPECT_LT(box.getMaximum().y, previousTop + 0.15f) << "at " << time;
            previousTop = box.getMaximum().y;
        }
    }
}

TEST_F(FigureTest, WrittenMeshLoadsWithBothAnimationsInAScene)
{
    TempDir directory;
    ASSERT_TRUE(FigureMeshWriter::write(directory.path));
    // The game parses the material script before it loads the mesh; so does this test.
    ASSERT_TRUE(MaterialScriptWriter::write(directory.path, "sand.jpg", "sky.jpg"));
    auto& resources = Ogre::ResourceGroupManager::getSingleton();
    resources.addResourceLocation(directory.path, "FileSystem", Ogre::RGN_DEFAULT);
    resources.initialiseResourceGroup(Ogre::RGN_DEFAULT);

    Ogre::SceneManager* scene = Ogre::Root::getSingleton().createSceneManager();
    Ogre::Entity* man = scene->createEntity("man", FigureMeshWriter::kMeshName);
    ASSERT_TRUE(man->hasSkeleton());
    EXPECT_NEAR(man->getAnimationState(FigureAnimations::kRunName)->getLength(), FigureAnimations::kRunLength, 1e-4f);
    EXPECT_NEAR(man->getAnimationState(FigureAnimations::kDyingName)->getLength(), FigureAnimations::kDyingLength,
                1e-4f);
    EXPECT_EQ(man->getSkeleton()->getBone("Head")->getHandle(), BoneHead);

    // One sub-mesh, one material: a figure costs one draw in each pass.
    ASSERT_EQ(man->getNumSubEntities(), 1u);
    EXPECT_EQ(man->getSubEntity(0)->getMaterialName(), FigurePalette::kMaterialName);

    // Every vertex, sampled where its texture coordinates point in the palette, shows the colour of its part.
    const auto palette = FigurePalette::paint(FigureModel::colours());
    const Ogre::VertexData* vertexData = man->getMesh()->sharedVertexData;
    const Ogre::VertexElement* uvElement =
        vertexData->vertexDeclaration->findElementBySemantic(Ogre::VES_TEXTURE_COORDINATES);
    ASSERT_NE(uvElement, nullptr);
    const auto buffer = vertexData->vertexBufferBinding->getBuffer(uvElement->getSource());
    Ogre::HardwareBufferLockGuard lock(buffer, Ogre::HardwareBuffer::HBL_READ_ONLY);
    const auto& vertices = figure.geometry.getVertices();
    ASSERT_EQ(vertexData->vertexCount, vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i)
    {
        float* uv = nullptr;
        uvElement->baseVertexPointerToElement(static_cast<unsigned char*>(lock.pData) + i * buffer->getVertexSize(),
                                              &uv);
        const int x = static_cast<int>(uv[0] * palette.width());
        const int y = static_cast<int>(uv[1] * palette.height());
        const FigureColour& expected = FigureModel::colours()[vertices[i].colour];
        ASSERT_NEAR(palette(x, y, 0, 0), expected.red * 255.0f, 1.0f) << "vertex " << i;
        ASSERT_NEAR(palette(x, y, 0, 1), expected.green * 255.0f, 1.0f) << "vertex " << i;
        ASSERT_NEAR(palette(x, y, 0, 2), expected.blue * 255.0f, 1.0f) << "vertex " << i;
    }

    // The bounds hold the fallen man too, or the engine would cull him while he is still on screen.
    const Ogre::AxisAlignedBox& bounds = man->getMesh()->getBounds();
    EXPECT_TRUE(bounds.contains(boundsOf(figure.at(FigureAnimations::kDyingName, FigureAnimations::kDyingLength))));
    scene->destroyEntity(man);
    Ogre::Root::getSingleton().destroySceneManager(scene);
}
} // namespace
