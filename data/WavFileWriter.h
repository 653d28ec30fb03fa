#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Writes mono 16-bit PCM samples as a RIFF WAVE file, little-endian whatever the machine.
class WavFileWriter
{
public:
    static bool write(const std::string& path, const std::vector<std::int16_t>& samples, int sampleRate);
};
