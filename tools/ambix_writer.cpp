// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ambix_writer.h"

#include <unistd.h>

#include <ambix/ambix.h>

#include "tools/tool_error.h"

namespace
{

ambix_sampleformat_t sampleFormat(const std::string& subtype)
{
    if (subtype == "PCM_16") return AMBIX_SAMPLEFORMAT_PCM16;
    if (subtype == "PCM_24") return AMBIX_SAMPLEFORMAT_PCM24;
    if (subtype == "PCM_32") return AMBIX_SAMPLEFORMAT_PCM32;
    if (subtype == "DOUBLE") return AMBIX_SAMPLEFORMAT_FLOAT64;
    return AMBIX_SAMPLEFORMAT_FLOAT32;
}

} // namespace

AmbixWriter::AmbixWriter(const std::string& path, int channels, double sampleRate,
                         const std::string& subtype)
    : fTemporary(path)
{
    // libambix opens files by name only.
    close(fTemporary.releaseDescriptor());
    ambix_info_t info{};
    info.fileformat = AMBIX_BASIC;
    info.ambichannels = static_cast<uint32_t>(channels);
    info.samplerate = sampleRate;
    info.sampleformat = sampleFormat(subtype);
    fFile = ambix_open(fTemporary.path().c_str(), AMBIX_WRITE, &info);
    if (!fFile) throw ToolError("cannot write " + path + " as AmbiX");
    // Integer output clips at full scale rather than wrapping around.
    sf_command(static_cast<SNDFILE*>(ambix_get_sndfile(fFile)), SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AmbixWriter::~AmbixWriter()
{
    if (fFile) ambix_close(fFile);
}

void AmbixWriter::write(const float* interleaved, int64_t count)
{
    check(ambix_writef_float32(fFile, interleaved, nullptr, count), count);
}

void AmbixWriter::write(const double* interleaved, int64_t count)
{
    check(ambix_writef_float64(fFile, interleaved, nullptr, count), count);
}

void AmbixWriter::check(int64_t written, int64_t count)
{
    if (written != count) throw ToolError("cannot write " + fTemporary.target());
}

void AmbixWriter::commit()
{
    const ambix_err_t status = ambix_close(fFile);
    fFile = nullptr;
    if (status != AMBIX_ERR_SUCCESS) throw ToolError("cannot write " + fTemporary.target());
    fTemporary.commit();
}
