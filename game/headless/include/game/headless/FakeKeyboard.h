#pragma once

#include <OIS.h>

#include <array>
#include <string>
#include <vector>

/// An OIS keyboard whose keys the test sets. A key's state changes at once; in buffered mode the press or release
/// also reaches the event callback at the next capture, as a real keyboard's events do. A key can be tapped
/// (pressed and let go before the next capture, which leaves only its events), or scheduled to go up after a
/// number of captures, which is how a player lets go of a key while the game polls it.
class FakeKeyboard : public OIS::Keyboard
{
public:
    FakeKeyboard();

    void press(OIS::KeyCode key);
    void release(OIS::KeyCode key);
    void releaseAll();
    /// Pressed and let go before the next capture.
    void tap(OIS::KeyCode key);
    /// The key goes up during the given capture (counted from now, 1 = the next one).
    void releaseAfterCaptures(OIS::KeyCode key, int captures);
    int captureCount() const { return captures; }

    bool isKeyDown(OIS::KeyCode key) const override { return down[key]; }
    const std::string& getAsString(OIS::KeyCode key) override;
    void copyKeyStates(char keys[256]) const override;
    void setBuffered(bool buffered) override { mBuffered = buffered; }
    void capture() override;
    OIS::Interface* queryInterface(OIS::Interface::IType) override { return nullptr; }
    void _initialize() override {}

private:
    struct KeyChange
    {
        OIS::KeyCode key;
        bool pressed;
    };
    void deliverEvents();

    std::array<bool, 256> down{};
    std::vector<KeyChange> pendingEvents;
    int captures = 0;
    OIS::KeyCode pendingKey = OIS::KC_UNASSIGNED;
    int releaseAtCapture = -1;
    std::string keyName;
};
