#pragma once

#include <OIS.h>

#include <array>
#include <string>

/// An unbuffered OIS keyboard whose keys the test sets. A key can be scheduled to go up after a number of
/// captures, which is how a player lets go of a key while the game polls it.
class FakeKeyboard : public OIS::Keyboard
{
public:
    FakeKeyboard();

    void press(OIS::KeyCode key) { down[key] = true; }
    void release(OIS::KeyCode key) { down[key] = false; }
    void releaseAll() { down.fill(false); }
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
    std::array<bool, 256> down{};
    int captures = 0;
    OIS::KeyCode pendingKey = OIS::KC_UNASSIGNED;
    int releaseAtCapture = -1;
    std::string keyName;
};
