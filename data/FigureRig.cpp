#include "FigureRig.h"

#include "game/logic/GameWorld.h"

#include <OgreBone.h>
#include <OgreSkeleton.h>

// The game raises every figure's node by its feet height: with the mesh's origin as high above the soles, the
// figures stand on the ground, neither in it nor above it.
static_assert(FigureRig::kOriginAboveFeet == Sarna::kFigureFeetHeight,
              "the figure's origin is not at the game's feet height");

const std::vector<FigureJoint>& FigureRig::joints()
{
    // Parents come before their children, so the bones can be created in this order.
    static const std::vector<FigureJoint> table = {
        {BoneRoot, "Root", BoneRoot, {0.0f, -kOriginAboveFeet, 0.0f}},
        {BoneHips, "Hips", BoneRoot, {0.0f, -0.45f, 0.0f}},
        {BoneChest, "Chest", BoneHips, {0.0f, -0.05f, 0.0f}},
        {BoneHead, "Head", BoneChest, {0.0f, 0.92f, 0.0f}},
        {BoneUpperArmLeft, "UpperArm.L", BoneChest, {0.40f, 0.80f, 0.0f}},
        {BoneForeArmLeft, "ForeArm.L", BoneUpperArmLeft, {0.44f, 0.17f, 0.0f}},
        {BoneUpperArmRight, "UpperArm.R", BoneChest, {-0.40f, 0.80f, 0.0f}},
        {BoneForeArmRight, "ForeArm.R", BoneUpperArmRight, {-0.44f, 0.17f, 0.0f}},
        {BoneThighLeft, "Thigh.L", BoneHips, {0.19f, -0.52f, 0.0f}},
        {BoneShinLeft, "Shin.L", BoneThighLeft, {0.19f, -1.50f, 0.0f}},
        {BoneFootLeft, "Foot.L", BoneShinLeft, {0.19f, -2.36f, 0.0f}},
        {BoneThighRight, "Thigh.R", BoneHips, {-0.19f, -0.52f, 0.0f}},
        {BoneShinRight, "Shin.R", BoneThighRight, {-0.19f, -1.50f, 0.0f}},
        {BoneFootRight, "Foot.R", BoneShinRight, {-0.19f, -2.36f, 0.0f}},
    };
    return table;
}

const Ogre::Vector3& FigureRig::pivot(FigureBone bone)
{
    return joints()[bone].pivot;
}

void FigureRig::buildBones(Ogre::Skeleton& skeleton)
{
    for (const FigureJoint& joint : joints())
    {
        // Bone::createChild would leave the name empty, so every bone is created by name and then parented.
        Ogre::Bone* bone = skeleton.createBone(joint.name, joint.bone);
        if (joint.parent == joint.bone)
        {
            bone->setPosition(joint.pivot);
            continue;
        }
        skeleton.getBone(joint.parent)->addChild(bone);
        bone->setPosition(joint.pivot - pivot(joint.parent));
    }
    skeleton.setBindingPose();
}
