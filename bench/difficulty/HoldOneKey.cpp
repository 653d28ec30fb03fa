#include "HoldOneKey.h"

void HoldOneKey::startGame(int gameIndex)
{
    static const Steering kKeys[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}}; // Y, H, G, J
    held = kKeys[gameIndex % 4];
}
