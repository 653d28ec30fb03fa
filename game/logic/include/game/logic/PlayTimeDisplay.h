#pragma once

#include <memory>
#include <string>

namespace Sarna
{

class TextPanel;

/// The play time on screen: during play, the seconds survived and the seconds left to win in the viewport's
/// top-left corner, with a notice at the top of the picture while the game is paused; over the won and lost pictures,
/// the time of the game just ended and the best time. Times show in tenths of a second, cut rather than rounded, so
/// that the clock's two numbers always add up to the winning time and never show it before the game is won.
///
/// The text is drawn with the TrueType font kFontFile of the resource group kFontGroup (declared in
/// "resources.cfg"). Without that file nothing is shown, one log line says why, and every call does nothing:
/// the game plays the same.
class PlayTimeDisplay
{
public:
    static constexpr const char* kFontFile = "DejaVuSansMono-Bold.ttf";
    static constexpr const char* kFontGroup = "Fonts";
    static constexpr const char* kClockOverlay = "Overlay/PlayTime";
    static constexpr const char* kResultOverlay = "Overlay/Result";
    static constexpr const char* kPausedOverlay = "Overlay/Paused";

    /// Builds both panels hidden. The overlay system must exist.
    PlayTimeDisplay();
    ~PlayTimeDisplay();

    PlayTimeDisplay(const PlayTimeDisplay&) = delete;
    PlayTimeDisplay& operator=(const PlayTimeDisplay&) = delete;

    /// Shows the clock for a play time in seconds; hides the result and the pause notice.
    void showClock(double elapsed);
    /// Shows the clock standing at a play time, with the notice of a paused game and how to resume it.
    void showPaused(double elapsed);
    /// Takes the result of the game that just ended, to be shown by showResult.
    void setResult(double survived, double best, bool newBest);
    /// Shows the last result given; hides the clock.
    void showResult();
    void hide();

    /// Null when the font is missing.
    const TextPanel* getClock() const { return clock.get(); }
    const TextPanel* getResult() const { return result.get(); }
    const TextPanel* getPausedNotice() const { return pausedNotice.get(); }

    static std::string clockText(double elapsed);
    static std::string resultText(double survived, double best, bool newBest);
    static constexpr const char* kPausedText = "Paused\nPause or Tab: play on";

private:
    std::string resultShown;
    std::unique_ptr<TextPanel> clock;
    std::unique_ptr<TextPanel> result;
    std::unique_ptr<TextPanel> pausedNotice;
};

} // namespace Sarna
