#include "GameDataGenerator.h"

#include "DefaultLibraryBuilder.h"
#include "FigureMeshWriter.h"
#include "FigurePalette.h"
#include "MaterialScriptWriter.h"
#include "PicturePainter.h"
#include "SandTexturePainter.h"
#include "SkyBoxPainter.h"
#include "SoundSynthesizer.h"
#include "WavFileWriter.h"
#include "game/logic/HeroLook.h"
#include "game/logic/JeuTotal.h"

#include <CImg.h>
#include <OgreLogManager.h>

#include <cstdio>

namespace
{
void report(const std::string& line)
{
    Ogre::LogManager::getSingleton().logMessage(line);
}

bool saveJpeg(const cimg_library::CImg<unsigned char>& image, const std::string& path)
{
    // Opened here rather than by CImg, which would leave the JPEG encoder allocated when the file cannot be opened.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
    {
        report("cannot write " + path);
        return false;
    }
    bool saved = true;
    try
    {
        image.save_jpeg(file, GameDataGenerator::kJpegQuality);
    }
    catch (const cimg_library::CImgException& error)
    {
        report("cannot write " + path + ": " + error.what());
        saved = false;
    }
    saved = std::fclose(file) == 0 && saved;
    if (saved)
        report("written " + path);
    return saved;
}

// Lossless, for colours that must come out exactly as painted.
bool saveBmp(const cimg_library::CImg<unsigned char>& image, const std::string& path)
{
    try
    {
        image.save_bmp(path.c_str());
    }
    catch (const cimg_library::CImgException& error)
    {
        report("cannot write " + path + ": " + error.what());
        return false;
    }
    report("written " + path);
    return true;
}
} // namespace

bool GameDataGenerator::run(const std::string& mediaDirectory, const std::string& runDirectory)
{
    // CImg would print its own messages for errors we already report.
    cimg_library::cimg::exception_mode(0);
    bool written = FigureMeshWriter::write(mediaDirectory);
    written =
        MaterialScriptWriter::write(mediaDirectory, SandTexturePainter::kFileName, SkyBoxPainter::kCubeName) && written;
    written = writeTextures(mediaDirectory) && written;
    written = writePictures(mediaDirectory) && written;
    written = writeSounds(mediaDirectory) && written;
    written = writeLibrary(runDirectory) && written;
    report(written ? "game data written" : "game data incomplete");
    return written;
}

bool GameDataGenerator::writeTextures(const std::string& mediaDirectory)
{
    bool written =
        saveJpeg(SandTexturePainter::paint(kGroundSize), mediaDirectory + "/" + SandTexturePainter::kFileName);
    written =
        saveBmp(FigurePalette::paint(FigureModel::colours()), mediaDirectory + "/" + Sarna::HeroLook::kFigureTexture) &&
        written;
    written = saveBmp(FigurePalette::paint(FigurePalette::heroColours()),
                      mediaDirectory + "/" + Sarna::HeroLook::kHeroTexture) &&
              written;
    for (int face = 0; face < SkyBoxPainter::kFaceCount; ++face)
    {
        written = saveJpeg(SkyBoxPainter::paintFace(face, kSkyFaceSize),
                           mediaDirectory + "/" + SkyBoxPainter::faceFileName(face)) &&
                  written;
    }
    return written;
}

bool GameDataGenerator::writePictures(const std::string& mediaDirectory)
{
    bool written = true;
    for (auto screen : {PicturePainter::Screen::Start, PicturePainter::Screen::Won, PicturePainter::Screen::Lost})
    {
        written =
            saveJpeg(PicturePainter::paint(screen), mediaDirectory + "/" + PicturePainter::fileName(screen)) && written;
    }
    return written;
}

bool GameDataGenerator::writeSounds(const std::string& mediaDirectory)
{
    bool written = true;
    for (int cue = 0; cue < Sarna::kSoundCueCount; ++cue)
    {
        const auto sound = static_cast<Sarna::SoundCue>(cue);
        const std::string path = mediaDirectory + "/" + Sarna::soundFileName(sound);
        const bool saved = WavFileWriter::write(path, SoundSynthesizer::make(sound), Sarna::kSoundSampleRate);
        report(saved ? "written " + path : "cannot write " + path);
        written = saved && written;
    }
    return written;
}

bool GameDataGenerator::writeLibrary(const std::string& runDirectory)
{
    return DefaultLibraryBuilder::build().outPutToFile(runDirectory + "/" + Sarna::JeuTotal::kLibraryFile);
}
