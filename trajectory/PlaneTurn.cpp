#include "trajectory/PlaneTurn.h"

#include <OgreMath.h>

PlaneTurn::PlaneTurn(float angleDegrees)
{
    const float angle = angleDegrees * Ogre::Math::fDeg2Rad;
    sine = Ogre::Math::Sin(angle, false);
    cosine = Ogre::Math::Cos(angle, false);
}

void PlaneTurn::apply(float& px, float& py, float cx, float cy) const
{
    // Each step on its own line so that every intermediate is rounded to single precision.
    const float dx = px - cx;
    const float dy = py - cy;
    const float dxc = dx * cosine;
    const float dys = dy * sine;
    const float dxs = dx * sine;
    const float dyc = dy * cosine;
    const float nx = dxc - dys;
    const float ny = dxs + dyc;
    px = nx + cx;
    py = ny + cy;
}
