// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sound_io.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "tools/tool_error.h"

namespace
{

struct Named
{
    const char* name;
    int format;
};

constexpr Named kContainers[] = {
    {"wav", SF_FORMAT_WAV},   {"aif", SF_FORMAT_AIFF},  {"aiff", SF_FORMAT_AIFF},
    {"aifc", SF_FORMAT_AIFF}, {"flac", SF_FORMAT_FLAC}, {"caf", SF_FORMAT_CAF},
    {"w64", SF_FORMAT_W64},   {"rf64", SF_FORMAT_RF64}, {"au", SF_FORMAT_AU},
    {"snd", SF_FORMAT_AU},    {"amb", SF_FORMAT_WAVEX},
};

constexpr Named kSubtypes[] = {
    {"PCM_16", SF_FORMAT_PCM_16}, {"PCM_24", SF_FORMAT_PCM_24}, {"PCM_32", SF_FORMAT_PCM_32},
    {"FLOAT", SF_FORMAT_FLOAT},   {"DOUBLE", SF_FORMAT_DOUBLE},
};

template <size_t N> const Named* find(const Named (&table)[N], const std::string& name)
{
    for (const Named& entry : table)
        if (name == entry.name) return &entry;
    return nullptr;
}

int outputFormat(const std::string& path, const std::string& subtype, int channels, double rate)
{
    const Named* container = find(kContainers, lowerExtension(path));
    if (!container)
        throw ToolError("cannot tell the output format from the name " + path +
                        " (use .wav, .amb, .aiff, .flac, .caf, .w64, .rf64 or .au)");
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = static_cast<int>(rate);
    // Plain WAV headers are meant for mono and stereo; readers expect the extensible header beyond.
    const int major =
        container->format == SF_FORMAT_WAV && channels > 2 ? SF_FORMAT_WAVEX : container->format;
    if (subtype.empty())
    {
        // Float where the container holds it, 24-bit integer otherwise (FLAC).
        info.format = major | SF_FORMAT_FLOAT;
        if (!sf_format_check(&info)) info.format = major | SF_FORMAT_PCM_24;
    }
    else
    {
        info.format = major | find(kSubtypes, subtype)->format;
    }
    if (!sf_format_check(&info))
        throw ToolError("cannot write " + std::to_string(channels) + " channels of " +
                        (subtype.empty() ? std::string("audio") : subtype) + " to " + path);
    return info.format;
}

class FileSource : public AudioSource
{
  public:
    explicit FileSource(const std::string& path)
    {
        fFile = sf_open(path.c_str(), SFM_READ, &fInfo);
        if (!fFile) throw ToolError("cannot read " + path + ": " + sf_strerror(nullptr));
    }
    ~FileSource() override { sf_close(fFile); }

    int channels() const override { return fInfo.channels; }
    double sampleRate() const override { return fInfo.samplerate; }
    int64_t frames() const override { return fInfo.frames; }
    int64_t read(float* interleaved, int64_t count) override
    {
        return sf_readf_float(fFile, interleaved, count);
    }
    int64_t read(double* interleaved, int64_t count) override
    {
        return sf_readf_double(fFile, interleaved, count);
    }

  private:
    SF_INFO fInfo{};
    SNDFILE* fFile = nullptr;
};

class DemoSource : public AudioSource
{
  public:
    DemoSource(int channels, double rate) : fSignal(channels, rate), fRate(rate) {}

    int channels() const override { return fSignal.channels(); }
    double sampleRate() const override { return fRate; }
    int64_t frames() const override { return fSignal.frames(); }
    int64_t read(float* interleaved, int64_t count) override
    {
        return fSignal.read(interleaved, count);
    }
    int64_t read(double* interleaved, int64_t count) override
    {
        fScratch.resize(static_cast<size_t>(count * channels()));
        const int64_t n = fSignal.read(fScratch.data(), count);
        std::copy(fScratch.begin(), fScratch.begin() + n * channels(), interleaved);
        return n;
    }

  private:
    DemoSignal fSignal;
    double fRate;
    std::vector<float> fScratch;
};

} // namespace

std::unique_ptr<AudioSource> openSource(const std::string& in, double demoRate, int demoChannels)
{
    if (in == "demo") return std::make_unique<DemoSource>(demoChannels, demoRate);
    return std::make_unique<FileSource>(in);
}

std::string lowerExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool isKnownSubtype(const std::string& name)
{
    return find(kSubtypes, name) != nullptr;
}

SoundFileWriter::SoundFileWriter(const std::string& path, int channels, double sampleRate,
                                 const std::string& subtype)
    : fTemporary(path)
{
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = static_cast<int>(sampleRate);
    info.format = outputFormat(path, subtype, channels, sampleRate);
    const int descriptor = fTemporary.releaseDescriptor();
    fFile = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (!fFile)
    {
        close(descriptor);
        throw ToolError("cannot write " + path + ": " + sf_strerror(nullptr));
    }
    // Integer output clips at full scale rather than wrapping around.
    sf_command(fFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (lowerExtension(path) == "amb" && sf_command(fFile, SFC_WAVEX_SET_AMBISONIC, nullptr,
                                                    SF_AMBISONIC_B_FORMAT) != SF_AMBISONIC_B_FORMAT)
    {
        sf_close(fFile);
        throw ToolError("cannot write " + path + " as B-Format");
    }
}

SoundFileWriter::~SoundFileWriter()
{
    if (fFile) sf_close(fFile);
}

void SoundFileWriter::write(const float* interleaved, int64_t count)
{
    check(sf_writef_float(fFile, interleaved, count), count);
}

void SoundFileWriter::write(const double* interleaved, int64_t count)
{
    check(sf_writef_double(fFile, interleaved, count), count);
}

void SoundFileWriter::check(sf_count_t written, int64_t count)
{
    if (written != count)
        throw ToolError("cannot write " + fTemporary.target() + ": " + sf_strerror(fFile));
}

void SoundFileWriter::commit()
{
    const int status = sf_close(fFile);
    fFile = nullptr;
    if (status != 0) throw ToolError("cannot write " + fTemporary.target());
    fTemporary.commit();
}
