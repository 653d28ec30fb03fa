#pragma once

#include <OIS.h>

#include <array>

namespace Sarna
{

/// The presses of a keyboard's keys in the current frame, counted from the keyboard's events, so that a key
/// pressed and let go between two captures still counts, however short the tap and however slow the frame. The
/// keyboard is switched to buffered mode for this object's life; it goes on reporting which keys are held.
class KeyPresses : public OIS::KeyListener
{
public:
    explicit KeyPresses(OIS::Keyboard& keyboard);
    ~KeyPresses() override;

    KeyPresses(const KeyPresses&) = delete;
    KeyPresses& operator=(const KeyPresses&) = delete;

    /// Forgets the presses counted so far: call it as a frame begins, just before the keyboard is captured.
    void startFrame();
    /// Presses of the key counted since the frame began.
    int count(OIS::KeyCode key) const { return presses[key]; }
    /// The key was pressed since the frame began, or is held down.
    bool struck(OIS::KeyCode key) const { return count(key) > 0 || keyboard.isKeyDown(key); }

    bool keyPressed(const OIS::KeyEvent& event) override;
    bool keyReleased(const OIS::KeyEvent& event) override;

private:
    OIS::Keyboard& keyboard;
    std::array<int, 256> presses{};
};

} // namespace Sarna
