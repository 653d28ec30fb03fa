#include "game/headless/FakeKeyboard.h"

FakeKeyboard::FakeKeyboard() : OIS::Keyboard("fake", false, 0, nullptr) {}

void FakeKeyboard::press(OIS::KeyCode key)
{
    if (!down[key])
    {
        pendingEvents.push_back({key, true});
    }
    down[key] = true;
}

void FakeKeyboard::release(OIS::KeyCode key)
{
    if (down[key])
    {
        pendingEvents.push_back({key, false});
    }
    down[key] = false;
}

void FakeKeyboard::releaseAll()
{
    for (std::size_t key = 0; key < down.size(); ++key)
    {
        release(static_cast<OIS::KeyCode>(key));
    }
}

void FakeKeyboard::tap(OIS::KeyCode key)
{
    press(key);
    release(key);
}

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
    deliverEvents();
}

void FakeKeyboard::deliverEvents()
{
    // An unbuffered keyboard drops its events; a buffered one hands them over in the order they came.
    std::vector<KeyChange> events;
    events.swap(pendingEvents);
    if (!mBuffered || mListener == nullptr)
    {
        return;
    }
    for (const KeyChange& change : events)
    {
        const OIS::KeyEvent event(this, change.key, 0);
        if (change.pressed)
        {
            mListener->keyPressed(event);
        }
        else
        {
            mListener->keyReleased(event);
        }
    }
}
