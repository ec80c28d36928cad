// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BlockProcessor.h"
#include "core/ParameterListener.h"
#include "core/gains.h"
#include "core/parameters.h"
#include "host/AudioEffectX.h"
#include "plugin/vst2/VstEdition.h"

#include <atomic>

// The one program: the nine parameter values in index order and a name. The values are
// written by whichever thread sets a parameter (the host's and the editor's at once).
struct SferantProgram
{
    SferantProgram();
    // The values a new instance of the edition starts with, and the name "Init".
    void setDefaults(const sferant::Edition& edition);

    std::atomic<float> values[sferant::kNumParams];
    char name[24];
};

// The Ambisonic encoder as a VST 2.4 effect: one mono or stereo source into 36 outputs.
class Sferant : public AudioEffectX
{
  public:
    // Makes the effect's editor, which registers itself with the effect (setEditor) and is
    // owned by it from then on; it hears of every parameter change.
    using EditorMaker = sferant::ParameterListener* (*)(Sferant& effect);

    // Without a maker the effect gets an editor that never opens, so that the record reads
    // as the module's does in programs without a window system.
    explicit Sferant(audioMasterCallback audioMaster, EditorMaker makeEditor = nullptr,
                     const VstEdition& edition = kVstSferant);
    ~Sferant() override;

    void resume() override;
    void setSampleRate(float sampleRate) override;
    void setBlockSize(VstInt32 blockSize) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Values outside 0..1 are stored clamped; NaN and infinities are ignored.
    // The editor hears of every call.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;

    // Display texts of the parameters: maxLen characters and a terminator.
    virtual void deg2string(float value, char* text, VstInt32 maxLen);
    virtual void floatWeight2string(float value, char* text, VstInt32 maxLen);
    virtual void degEl2string(float value, char* text, VstInt32 maxLen);
    virtual void float2onoff(float value, char* text, VstInt32 maxLen);
    virtual void type2string(float value, char* text, VstInt32 maxLen);
    virtual void floatOrder2string(float value, char* text, VstInt32 maxLen);
    virtual void stereo2string(float value, char* text, VstInt32 maxLen);
    virtual void width2string(float value, char* text, VstInt32 maxLen);
    virtual void dist2string(float value, char* text, VstInt32 maxLen);

    // Normalisation weight of component (n, m) under the current Weight value.
    virtual double weightCalculation(int n, int m);

    // Normalised values to radians and metres.
    virtual double float2azimuth(double x);
    virtual double float2elevation(double x);
    virtual double float2width(double x);
    virtual double float2distance(double x);

    // Gains of a source at this azimuth under the current elevation, order,
    // normalisation and output format, in component order.
    virtual sferant::GainVector ambiChannels(double azimuth);
    // P_n^m(sin elevation) at the current elevation.
    virtual double legendre(int n, int m);

    // Near-field filter design at the current sample rate.
    virtual void convolve(const double* a, unsigned long na, const double* b, unsigned long nb,
                          double* out);
    virtual double fRootsAbs(int n, int k);
    virtual double fRootsReal(int n, int k);
    virtual void firstOrderFilterCoeffs(double distance, int n, double* out);
    virtual void secondOrderFilterCoeffs(double distance, int n, int k, double* out);

    const sferant::Edition& edition() const { return vstEdition.edition; }

    // The current value of parameter index; 0 outside 0..8.
    float value(int index) const;

  private:
    // The values as one consistent reading, taken once per block.
    void readParameters(float (&values)[sferant::kNumParams]) const;
    // The member holding parameter index; null outside 0..8.
    static std::atomic<float> Sferant::*slot(VstInt32 index);
    void tellEditor(VstInt32 index);

    const VstEdition& vstEdition;
    SferantProgram* programs;
    // Written by the host's or the editor's thread, read by the audio thread.
    std::atomic<float> fAzimuth{}, fElevation{}, fNFC{}, fDistance{}, fWidth{}, fOrder{}, fWeight{},
        fInput{}, fOutput{};
    sferant::BlockProcessor processor;
    // The editor as it hears of parameter changes; owned through the base's editor pointer.
    sferant::ParameterListener* editorListener = nullptr;
};
