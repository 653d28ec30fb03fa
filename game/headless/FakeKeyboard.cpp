#include "game/headless/FakeKeyboard.h"

FakeKeyboard::FakeKeyboard() : OIS::Keyboard("fake", false, 0, nullptr) {}

void FakeKeyboard::releaseAfterCaptures(OIS::KeyCode key, int count)
{
    pendingKey = key;
    releaseAtCapture = captures + count;
}

const std::string& FakeKeyboard::getAsString(OIS::KeyCode key)
{
    keyName = std::to_string(static_cast<int>(key));
    return keyName;
}

void FakeKeyboard::copyKeyStates(char keys[256]) const
{
    for (std::size_t i = 0; i < down.size(); ++i)
    {
        keys[i] = down[i] ? 1 : 0;
    }
}

void FakeKeyboard::capture()
{
    ++captures;
    if (captures == releaseAtCapture)
    {
        release(pendingKey);
        releaseAtCapture = -1;
    }
}
