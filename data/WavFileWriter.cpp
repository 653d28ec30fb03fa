#include "WavFileWriter.h"

#include <fstream>

namespace
{
constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBytesPerSample = 2;
constexpr std::uint32_t kFormatChunkBytes = 16;
constexpr std::uint32_t kHeaderBytesAfterSize = 36; // "WAVE", the format chunk, the data chunk's header

void put(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}
} // namespace

bool WavFileWriter::write(const std::string& path, const std::vector<std::int16_t>& samples, int sampleRate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    std::string bytes = "RIFF";
    put(bytes, kHeaderBytesAfterSize + dataBytes, 4);
    bytes += "WAVEfmt ";
    put(bytes, kFormatChunkBytes, 4);
    put(bytes, kPcmFormat, 2);
    put(bytes, kChannels, 2);
    put(bytes, rate, 4);
    put(bytes, rate * kChannels * kBytesPerSample, 4);
    put(bytes, kChannels * kBytesPerSample, 2);
    put(bytes, 8 * kBytesPerSample, 2);
    bytes += "data";
    put(bytes, dataBytes, 4);
    for (std::int16_t sample : samples)
        put(bytes, static_cast<std::uint16_t>(sample), 2);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}
