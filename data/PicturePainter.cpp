#include "PicturePainter.h"

#include "FigureSilhouette.h"
#include "game/logic/GameMediaNames.h"

#include <algorithm>
#include <cmath>

namespace
{
using Image = cimg_library::CImg<unsigned char>;
using Mask = cimg_library::CImg<float>;

const unsigned char kTitleGold[3] = {255, 214, 120};
const unsigned char kWhite[3] = {250, 246, 235};
const unsigned char kSoftWhite[3] = {225, 218, 205};
const unsigned char kHeading[3] = {255, 190, 110};
const unsigned char kWinGreen[3] = {170, 245, 140};
const unsigned char kLostRed[3] = {255, 95, 80};
const unsigned char kKeyFace[3] = {236, 230, 218};
const unsigned char kKeyEdge[3] = {150, 140, 128};
const unsigned char kKeyText[3] = {40, 34, 30};
const unsigned char kSilhouette[3] = {28, 18, 16};

constexpr float kShadowStrength = 0.75f;
constexpr int kShadowOffset = 4;

float smooth(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

/// Coverage of the text, 0..1 per pixel, sized to the text.
Mask textMask(const std::string& text, int height, bool bold)
{
    // CImg reads one colour value per channel of the font, which has three.
    const unsigned char on[3] = {255, 255, 255};
    const auto& font = cimg_library::CImgList<unsigned char>::font(static_cast<unsigned int>(height), true);
    Image glyphs;
    // The text is a format string to CImg; "%s" keeps any percent sign in it literal.
    glyphs.draw_text(0, 0, "%s", on, static_cast<const unsigned char*>(nullptr), 1.0f, &font, text.c_str());
    Mask mask(glyphs.get_channel(0));
    mask /= 255.0f;
    if (bold)
        mask.dilate(std::max(2, height / 28));
    return mask;
}

void blendMask(Image& image, const Mask& mask, int left, int top, const unsigned char* colour, float strength)
{
    cimg_forXY(mask, x, y)
    {
        const int px = left + x;
        const int py = top + y;
        const float alpha = std::clamp(mask(x, y) * strength, 0.0f, 1.0f);
        if (alpha <= 0.0f || px < 0 || py < 0 || px >= image.width() || py >= image.height())
            continue;
        for (int channel = 0; channel < 3; ++channel)
        {
            const float blended = image(px, py, 0, channel) * (1.0f - alpha) + colour[channel] * alpha;
            image(px, py, 0, channel) = static_cast<unsigned char>(std::lround(blended));
        }
    }
}

void blendColour(Image& image, int x, int y, const float* colour, float alpha)
{
    for (int channel = 0; channel < 3; ++channel)
    {
        const float blended = image(x, y, 0, channel) * (1.0f - alpha) + colour[channel] * 255.0f * alpha;
        image(x, y, 0, channel) = static_cast<unsigned char>(std::clamp(blended, 0.0f, 255.0f));
    }
}
} // namespace

const char* PicturePainter::fileName(Screen screen)
{
    switch (screen)
    {
    case Screen::Start:
        return Sarna::kStartPictureFile;
    case Screen::Won:
        return Sarna::kWinPictureFile;
    default:
        return Sarna::kLostPictureFile;
    }
}

cimg_library::CImg<unsigned char> PicturePainter::paint(Screen screen)
{
    Image image(kWidth, kHeight, 1, 3, 0);
    switch (screen)
    {
    case Screen::Start:
        paintStart(image);
        break;
    case Screen::Won:
        paintWon(image);
        break;
    case Screen::Lost:
        paintLost(image);
        break;
    }
    return image;
}

void PicturePainter::paintBackdrop(Image& image, float dusk)
{
    const float zenith[3] = {0.12f - 0.08f * dusk, 0.10f - 0.06f * dusk, 0.30f - 0.12f * dusk};
    const float horizon[3] = {0.98f - 0.45f * dusk, 0.55f - 0.35f * dusk, 0.30f - 0.1f * dusk};
    const float sun[3] = {1.0f, 0.9f, 0.65f};
    const int horizonY = kHeight * 62 / 100;
    const float sunX = kWidth * 0.7f;
    const float sunY = horizonY - 30.0f;
    cimg_forXY(image, x, y)
    {
        const float t = std::pow(std::clamp(static_cast<float>(y) / horizonY, 0.0f, 1.0f), 1.6f);
        const float dx = (x - sunX) / kWidth;
        const float dy = (y - sunY) / kWidth;
        const float glow = std::exp(-(dx * dx + dy * dy) * 18.0f) * (1.0f - 0.7f * dusk);
        float colour[3];
        for (int c = 0; c < 3; ++c)
            colour[c] = std::min(1.0f, zenith[c] + (horizon[c] - zenith[c]) * t + sun[c] * glow * 0.6f);
        blendColour(image, x, y, colour, 1.0f);
        if (std::sqrt(dx * dx + dy * dy) * kWidth < 46.0f && dusk < 0.5f)
            blendColour(image, x, y, sun, 0.9f);
    }
    // Rows of dunes, farther ones lighter and hazier.
    for (int row = 0; row < 4; ++row)
    {
        const float base = horizonY + 10.0f + row * 85.0f;
        const float shade = (0.62f - row * 0.12f) * (1.0f - 0.55f * dusk);
        const float colour[3] = {shade, shade * 0.68f, shade * 0.45f};
        for (int x = 0; x < kWidth; ++x)
        {
            const float phase = static_cast<float>(x) / kWidth * 6.2832f;
            const float crest = base - 38.0f * std::sin(phase * (1.3f + 0.4f * row) + row * 1.7f) -
                                16.0f * std::sin(phase * (3.1f + row) + row);
            for (int y = std::max(0, static_cast<int>(crest)); y < kHeight; ++y)
                blendColour(image, x, y, colour, smooth(crest - 1.0f, crest + 2.0f, static_cast<float>(y)));
        }
    }
}

void PicturePainter::paintPanel(Image& image, int top, int bottom)
{
    const float shade[3] = {0.06f, 0.04f, 0.08f};
    const int left = 40;
    const int right = kWidth - 40;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            blendColour(image, x, y, shade, 0.62f);
    const unsigned char border[3] = {255, 190, 110};
    image.draw_rectangle(left, top, right - 1, bottom - 1, border, 0.8f, ~0U);
}

int PicturePainter::drawText(Image& image, const std::string& text, int centreX, int top, int height,
                             const unsigned char* colour, bool bold)
{
    const Mask mask = textMask(text, height, bold);
    return drawMask(image, mask, centreX - mask.width() / 2, top, height, colour);
}

int PicturePainter::drawTextFrom(Image& image, const std::string& text, int left, int top, int height,
                                 const unsigned char* colour)
{
    return drawMask(image, textMask(text, height, false), left, top, height, colour);
}

int PicturePainter::drawMask(Image& image, const cimg_library::CImg<float>& mask, int left, int top, int height,
                             const unsigned char* colour)
{
    const unsigned char black[3] = {0, 0, 0};
    blendMask(image, mask.get_blur(static_cast<float>(height) / 18.0f), left + kShadowOffset, top + kShadowOffset,
              black, kShadowStrength);
    blendMask(image, mask, left, top, colour, 1.0f);
    return top + mask.height();
}

void PicturePainter::drawKeyCap(Image& image, const std::string& label, int left, int top, int width, int height)
{
    const unsigned char shadow[3] = {20, 14, 10};
    image.draw_rectangle(left + 4, top + 6, left + width + 3, top + height + 5, shadow, 0.6f);
    image.draw_rectangle(left, top, left + width - 1, top + height - 1, kKeyEdge);
    image.draw_rectangle(left + 4, top + 3, left + width - 5, top + height - 9, kKeyFace);
    const Mask mask = textMask(label, height * 6 / 10, true);
    blendMask(image, mask, left + (width - mask.width()) / 2, top + (height - 6 - mask.height()) / 2, kKeyText, 1.0f);
}

void PicturePainter::drawSpaceBar(Image& image, int top)
{
    const int width = 380;
    drawKeyCap(image, "SPACE", (kWidth - width) / 2, top, width, 78);
}

void PicturePainter::paintStart(Image& image)
{
    paintBackdrop(image, 0.0f);
    const int centre = kWidth / 2;
    int y = drawText(image, "DUNESTRIDE", centre, 40, 112, kTitleGold, true);
    drawText(image, "Outrun the dune runners for 3 minutes", centre, y + 6, 34, kWhite, false);

    paintPanel(image, 250, 800);
    drawText(image, "RUN", centre, 268, 44, kHeading, true);
    // The four run keys as they sit on the keyboard: Y above H, G and J beside it.
    const int key = 76;
    const int keysLeft = 84;
    drawKeyCap(image, "Y", keysLeft + key / 2 + 6, 328, key, key);
    drawKeyCap(image, "G", keysLeft, 328 + key + 8, key, key);
    drawKeyCap(image, "H", keysLeft + key + 8, 328 + key + 8, key, key);
    drawKeyCap(image, "J", keysLeft + 2 * (key + 8), 328 + key + 8, key, key);
    const int keyColumn = 400;
    const int wordColumn = 450;
    const char* const keys[4][2] = {{"Y", "up"}, {"H", "down"}, {"G", "left"}, {"J", "right"}};
    for (int line = 0; line < 4; ++line)
    {
        drawTextFrom(image, keys[line][0], keyColumn, 330 + 42 * line, 36, kHeading);
        drawTextFrom(image, keys[line][1], wordColumn, 330 + 42 * line, 36, kWhite);
    }

    drawText(image, "CAMERA", centre, 516, 44, kHeading, true);
    drawText(image, "Arrow keys  move", centre, 568, 32, kWhite, false);
    drawText(image, "Page Up / Page Down  rise, sink", centre, 606, 32, kWhite, false);
    drawText(image, "Mouse  look around", centre, 644, 32, kWhite, false);
    drawText(image, "Home or C  back to the start view", centre, 682, 32, kWhite, false);
    drawText(image, "O L K M I P  turn the light", centre, 724, 26, kSoftWhite, false);
    drawText(image, "Pause or Tab  pause     S  sound on / off", centre, 758, 26, kSoftWhite, false);

    drawText(image, "Press", centre, 818, 44, kWhite, true);
    drawSpaceBar(image, 870);
    drawText(image, "to start        Esc quits", centre, 960, 38, kWhite, false);
}

void PicturePainter::paintWon(Image& image)
{
    paintBackdrop(image, 0.2f);
    const int centre = kWidth / 2;
    drawText(image, "YOU WON!", centre, 130, 132, kWinGreen, true);
    paintPanel(image, 310, 490);
    drawText(image, "Not one runner caught you.", centre, 338, 40, kWhite, false);
    drawText(image, "Three minutes on the dunes!", centre, 398, 40, kTitleGold, false);
    // The hero cheering on the crest, the runners left far behind.
    FigureSilhouette::draw(image, FigureSilhouette::cheering(), centre, 676, 150, false, kSilhouette, 0.95f);
    FigureSilhouette::draw(image, FigureSilhouette::running(0.0f), 120, 664, 60, false, kSilhouette, 0.6f);
    FigureSilhouette::draw(image, FigureSilhouette::running(2.0f), 178, 668, 56, false, kSilhouette, 0.6f);
    drawText(image, "Press", centre, 716, 48, kWhite, true);
    drawSpaceBar(image, 780);
    drawText(image, "to continue", centre, 882, 44, kWhite, true);
}

void PicturePainter::paintLost(Image& image)
{
    paintBackdrop(image, 0.85f);
    const int centre = kWidth / 2;
    drawText(image, "YOU LOST", centre, 130, 132, kLostRed, true);
    paintPanel(image, 310, 490);
    drawText(image, "A runner caught you.", centre, 338, 40, kWhite, false);
    drawText(image, "Keep away from them next time!", centre, 398, 40, kSoftWhite, false);
    // The hero fallen in the sand, the runners going on their way.
    FigureSilhouette::draw(image, FigureSilhouette::fallen(), centre - 120, 676, 150, false, kSilhouette, 0.95f);
    FigureSilhouette::draw(image, FigureSilhouette::running(0.0f), centre + 150, 672, 110, false, kSilhouette, 0.9f);
    FigureSilhouette::draw(image, FigureSilhouette::running(2.0f), centre + 260, 668, 96, false, kSilhouette, 0.8f);
    drawText(image, "Press", centre, 716, 48, kWhite, true);
    drawSpaceBar(image, 780);
    drawText(image, "to continue", centre, 882, 44, kWhite, true);
}
