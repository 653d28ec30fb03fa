#pragma once

/// The drawing tool's drawing area, in whose pixels every trajectory is recorded: x to the right, y downward,
/// origin at the top-left corner. It is what the two programs agree on: the tool's window shows exactly this
/// area, and the game puts its centre at the world's origin.
namespace DrawingFrame
{
constexpr int kWidth = 500;  ///< pixels
constexpr int kHeight = 700; ///< pixels
constexpr float kCentreX = kWidth / 2.0f;
constexpr float kCentreY = kHeight / 2.0f;
} // namespace DrawingFrame
