#include "FigurePose.h"

namespace
{
float mix(float from, float to, float weight)
{
    return from + (to - from) * weight;
}
} // namespace

FigurePose FigurePose::blendedTowards(const FigurePose& other, float weight) const
{
    FigurePose result;
    for (std::size_t i = 0; i < bones.size(); ++i)
    {
        result.bones[i].pitch = mix(bones[i].pitch, other.bones[i].pitch, weight);
        result.bones[i].yaw = mix(bones[i].yaw, other.bones[i].yaw, weight);
        result.bones[i].roll = mix(bones[i].roll, other.bones[i].roll, weight);
        result.bones[i].translate = bones[i].translate + (other.bones[i].translate - bones[i].translate) * weight;
    }
    return result;
}
