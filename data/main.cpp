#include "GameDataGenerator.h"
#include "engine/HeadlessEngine.h"

// Run by the build from the game's run directory: the data goes to media/, the default library beside it.
int main()
{
    HeadlessEngine engine("", true);
    return GameDataGenerator::run("media", ".") ? 0 : 1;
}
