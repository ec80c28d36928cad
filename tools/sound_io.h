#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <sndfile.h>

#include "tools/demo_signal.h"

// Where rendered audio comes from: a sound file or the built-in demo signal. Frames are
// interleaved.
class AudioSource
{
  public:
    virtual ~AudioSource() = default;
    virtual int channels() const = 0;
    virtual double sampleRate() const = 0;
    virtual int64_t frames() const = 0;
    virtual int64_t read(float* interleaved, int64_t count) = 0;
    virtual int64_t read(double* interleaved, int64_t count) = 0;
};

// Opens IN: "demo" gives the demo signal at demoRate with demoChannels, anything else a sound file.
std::unique_ptr<AudioSource> openSource(const std::string& in, double demoRate, int demoChannels);

// Writes a sound file under a temporary name in the target's folder and renames it into place
// only on commit(), so a failed or interrupted run never leaves a partial file behind.
class SoundFileWriter
{
  public:
    // The container follows the extension of path; subtype is "" (float, or 24-bit where the
    // container has no float) or one of PCM_16, PCM_24, PCM_32, FLOAT, DOUBLE.
    SoundFileWriter(const std::string& path, int channels, double sampleRate,
                    const std::string& subtype);
    ~SoundFileWriter();

    void write(const float* interleaved, int64_t count);
    void write(const double* interleaved, int64_t count);
    void commit();

    const std::string& temporaryPath() const { return fTemporary; }

  private:
    void check(sf_count_t written, int64_t count);

    std::string fPath;
    std::string fTemporary;
    SNDFILE* fFile = nullptr;
};

// True for the subtype names SoundFileWriter accepts.
bool isKnownSubtype(const std::string& name);
