#include "game/logic/TextPanel.h"

#include <OgreColourValue.h>
#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreTechnique.h>
#include <OgreTextureUnitState.h>
#include <Overlay/OgreFont.h>
#include <Overlay/OgreOverlay.h>
#include <Overlay/OgreOverlayContainer.h>
#include <Overlay/OgreOverlayManager.h>
#include <Overlay/OgreTextAreaOverlayElement.h>

#include <algorithm>

namespace Sarna
{

namespace
{
const char* const kPanelMaterial = "TextPanel/Shade";
constexpr float kCharHeight = 20.0f;   // pixels per line
constexpr float kPadding = 8.0f;       // pixels between the text and the panel's edges
constexpr float kMargin = 10.0f;       // pixels between the panel and the viewport's edges
constexpr float kShadeOpacity = 0.6f;  // dark enough for light text over bright sand, the sand still shows
constexpr float kGuessedAspect = 0.6f; // glyph width per height of a monospaced font, until the font is loaded
const Ogre::ColourValue kTextColour(1.0f, 0.96f, 0.86f);

// Black at the given opacity. Overlay materials are drawn unlit, so the colour comes from a texture unit that
// takes both colour and alpha from fixed values; the unit names no texture, and the engine binds its own
// stand-in texture for it, which these fixed values ignore.
void createShadeMaterial()
{
    Ogre::MaterialManager& materials = Ogre::MaterialManager::getSingleton();
    if (materials.resourceExists(kPanelMaterial, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME))
    {
        return;
    }
    Ogre::MaterialPtr material =
        materials.create(kPanelMaterial, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    Ogre::Pass* pass = material->getTechnique(0)->getPass(0);
    pass->setSceneBlending(Ogre::SBT_TRANSPARENT_ALPHA);
    pass->setDepthWriteEnabled(false);
    Ogre::TextureUnitState* shade = pass->createTextureUnitState();
    shade->setColourOperationEx(Ogre::LBX_SOURCE1, Ogre::LBS_MANUAL, Ogre::LBS_CURRENT, Ogre::ColourValue::Black);
    shade->setAlphaOperation(Ogre::LBX_SOURCE1, Ogre::LBS_MANUAL, Ogre::LBS_CURRENT, kShadeOpacity);
}

int lineCount(const std::string& text)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}
} // namespace

TextPanel::TextPanel(const std::string& name, unsigned short zOrder, Anchor placement, const std::string& fontName,
                     const std::string& fontGroup)
    : anchor(placement)
{
    createShadeMaterial();
    Ogre::OverlayManager& overlays = Ogre::OverlayManager::getSingleton();
    overlay = overlays.create(name);
    overlay->setZOrder(zOrder);

    panel = static_cast<Ogre::OverlayContainer*>(overlays.createOverlayElement("Panel", name + "/Panel"));
    panel->setMetricsMode(Ogre::GMM_PIXELS);
    panel->setMaterialName(kPanelMaterial);
    if (anchor == Anchor::TopCentre)
    {
        panel->setHorizontalAlignment(Ogre::GHA_CENTER);
    }

    textArea = static_cast<Ogre::TextAreaOverlayElement*>(overlays.createOverlayElement("TextArea", name + "/Text"));
    textArea->setMetricsMode(Ogre::GMM_PIXELS);
    textArea->setPosition(kPadding, kPadding);
    textArea->setCharHeight(kCharHeight);
    textArea->setFontName(fontName, fontGroup);
    textArea->setColour(kTextColour);

    panel->addChild(textArea);
    overlay->add2D(panel);
    overlay->hide();
}

TextPanel::~TextPanel()
{
    Ogre::OverlayManager& overlays = Ogre::OverlayManager::getSingleton();
    // Destroying an overlay leaves its elements to the manager.
    overlays.destroy(overlay);
    overlays.destroyOverlayElement(textArea);
    overlays.destroyOverlayElement(panel);
}

void TextPanel::show(const std::string& text)
{
    if (getText() != text)
    {
        textArea->setCaption(text);
    }
    fitToText();
    overlay->show();
}

void TextPanel::hide()
{
    overlay->hide();
}

bool TextPanel::isVisible() const
{
    return overlay->isVisible();
}

std::string TextPanel::getText() const
{
    return textArea->getCaption().asUTF8();
}

void TextPanel::fitToText()
{
    const float width = textWidth() + 2.0f * kPadding;
    const float height = static_cast<float>(lineCount(getText())) * kCharHeight + 2.0f * kPadding;
    const float left = anchor == Anchor::TopCentre ? -0.5f * width : kMargin;
    panel->setDimensions(width, height);
    panel->setPosition(left, kMargin);
}

// The widest line, measured as the text element lays it out: each glyph as wide as its aspect times the line
// height, a blank as wide as a zero.
float TextPanel::textWidth() const
{
    const Ogre::FontPtr& font = textArea->getFont();
    const bool measured = font && font->isLoaded();
    float widest = 0.0f;
    float line = 0.0f;
    for (const char letter : getText())
    {
        Ogre::Font::CodePoint character = static_cast<unsigned char>(letter);
        if (character == '\n')
        {
            line = 0.0f;
            continue;
        }
        if (character == ' ')
        {
            character = '0';
        }
        line += (measured ? font->getGlyphAspectRatio(character) : kGuessedAspect) * kCharHeight;
        widest = std::max(widest, line);
    }
    return widest;
}

} // namespace Sarna
