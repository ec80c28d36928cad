// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <sndfile.h>

#include "tools/demo_signal.h"
#include "tools/temporary_file.h"

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

// Where render writes its frames, interleaved. The file appears under its name only once
// commit() succeeds: a failed or interrupted run leaves nothing behind.
class SoundWriter
{
  public:
    virtual ~SoundWriter() = default;
    virtual void write(const float* interleaved, int64_t count) = 0;
    virtual void write(const double* interleaved, int64_t count) = 0;
    virtual void commit() = 0;
};

// A sound file through libsndfile.
class SoundFileWriter : public SoundWriter
{
  public:
    // The container follows the extension of path (.amb: WAVE-EX marked as Ambisonic B-Format);
    // subtype is "" (float, or 24-bit where the container has no float) or one of PCM_16,
    // PCM_24, PCM_32, FLOAT, DOUBLE.
    SoundFileWriter(const std::string& path, int channels, double sampleRate,
                    const std::string& subtype);
    ~SoundFileWriter() override;

    void write(const float* interleaved, int64_t count) override;
    void write(const double* interleaved, int64_t count) override;
    void commit() override;

  private:
    void check(sf_count_t written, int64_t count);

    TemporaryFile fTemporary;
    SNDFILE* fFile = nullptr;
};

// True for the subtype names SoundFileWriter accepts.
bool isKnownSubtype(const std::string& name);

// The extension of a file name in lower case, without the dot; "" when there is none.
std::string lowerExtension(const std::string& path);
