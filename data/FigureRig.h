#pragma once

#include <OgrePrerequisites.h>
#include <OgreVector.h>

#include <vector>

/// Bone handles of the figure's skeleton. The figure stands on y = -2.5 in mesh space, its head reaches about
/// y = 1.5, and it faces +Z; its left side is +X.
enum FigureBone : unsigned short
{
    BoneRoot,
    BoneHips,
    BoneChest,
    BoneHead,
    BoneUpperArmLeft,
    BoneForeArmLeft,
    BoneUpperArmRight,
    BoneForeArmRight,
    BoneThighLeft,
    BoneShinLeft,
    BoneFootLeft,
    BoneThighRight,
    BoneShinRight,
    BoneFootRight,
    BoneCount
};

/// One joint of the skeleton: the bone's name, its parent and where it pivots in mesh space.
struct FigureJoint
{
    FigureBone bone;
    const char* name;
    FigureBone parent; ///< the root joint names itself
    Ogre::Vector3 pivot;
};

/// The figure's skeleton layout, and its construction as an engine skeleton in the bind pose.
class FigureRig
{
public:
    /// Height of the mesh origin above the soles, in world units.
    static constexpr float kOriginAboveFeet = 2.5f;

    static const std::vector<FigureJoint>& joints();
    static const Ogre::Vector3& pivot(FigureBone bone);

    /// Adds every bone, named and parented, to an empty skeleton and stores the bind pose.
    static void buildBones(Ogre::Skeleton& skeleton);
};
