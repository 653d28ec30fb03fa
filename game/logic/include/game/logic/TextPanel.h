#pragma once

#include <string>

namespace Ogre
{
class Overlay;
class OverlayContainer;
class TextAreaOverlayElement;
} // namespace Ogre

namespace Sarna
{

/// A few lines of light text on a dark translucent panel, in an overlay of its own, so that it reads over sand
/// and over the pictures alike. Sizes are in pixels of the viewport; the panel hangs from the viewport's top edge,
/// at its left corner or centred, and fits the text once the engine has loaded the font (which it does when the
/// text is first drawn). The font must be a declared engine font; the overlay system must exist.
class TextPanel
{
public:
    enum class Anchor
    {
        TopLeft,
        TopCentre
    };

    /// Builds the hidden overlay "name" with its panel "name/Panel" and text "name/Text". Overlays of a higher
    /// zOrder are drawn over those of a lower one.
    TextPanel(const std::string& name, unsigned short zOrder, Anchor anchor, const std::string& fontName,
              const std::string& fontGroup);
    ~TextPanel();

    TextPanel(const TextPanel&) = delete;
    TextPanel& operator=(const TextPanel&) = delete;

    /// Shows the text, lines split at '\n'.
    void show(const std::string& text);
    void hide();

    bool isVisible() const;
    /// The text shown, as the engine's text element holds it.
    std::string getText() const;

private:
    void fitToText();
    float textWidth() const;

    Ogre::Overlay* overlay = nullptr;
    Ogre::OverlayContainer* panel = nullptr;
    Ogre::TextAreaOverlayElement* textArea = nullptr;
    Anchor anchor;
};

} // namespace Sarna
