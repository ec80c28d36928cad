// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "tools/sound_io.h"
#include "tools/temporary_file.h"

typedef struct ambix_t_struct ambix_t;

// An AmbiX "basic" file through libambix: Ambisonic channels only, in a CAF container.
class AmbixWriter : public SoundWriter
{
  public:
    // channels is (order + 1)², in ACN order and SN3D; subtype as for SoundFileWriter.
    AmbixWriter(const std::string& path, int channels, double sampleRate,
                const std::string& subtype);
    ~AmbixWriter() override;

    void write(const float* interleaved, int64_t count) override;
    void write(const double* interleaved, int64_t count) override;
    void commit() override;

  private:
    void check(int64_t written, int64_t count);

    TemporaryFile fTemporary;
    ambix_t* fFile = nullptr;
};
