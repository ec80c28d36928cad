// SPDX-License-Identifier: GPL-3.0-or-later
// The base of every effect object: holds the host callback and the record the
// host sees, turns opcodes 0 to 24 into virtual calls and gives every
// operation a default.
#pragma once

#include "host/aeffect.h"

class AEffEditor;

class AudioEffect
{
  public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setSampleRate(float sampleRate);
    virtual void setBlockSize(VstInt32 blockSize);

    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames);

    virtual void setParameter(VstInt32 index, float value);
    virtual float getParameter(VstInt32 index);
    virtual void setParameterAutomated(VstInt32 index, float value);

    virtual VstInt32 getProgram();
    virtual void setProgram(VstInt32 program);
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(VstInt32 index, char* label);
    virtual void getParameterDisplay(VstInt32 index, char* text);
    virtual void getParameterName(VstInt32 index, char* text);
    virtual VstInt32 getChunk(void** data, bool isPreset = false);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false);

    virtual void setUniqueID(VstInt32 iD);
    virtual void setNumInputs(VstInt32 inputs);
    virtual void setNumOutputs(VstInt32 outputs);
    virtual void canProcessReplacing(bool state = true);
    virtual void canDoubleReplacing(bool state = true);
    virtual void programsAreChunks(bool state = true);
    virtual void setInitialDelay(VstInt32 delay);

    virtual AEffEditor* getEditor();
    virtual AEffect* getAeffect();
    virtual float getSampleRate();
    virtual VstInt32 getBlockSize();

    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();

    // Value-to-text converters: at most maxLen characters and a terminator, so
    // the caller supplies maxLen + 1 bytes.
    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

    virtual void __processDeprecated(float** inputs, float** outputs, VstInt32 sampleFrames);
    virtual float __getVuDeprecated();
    virtual void __hasVuDeprecated(bool state = true);
    virtual void __hasClipDeprecated(bool state = true);
    virtual void __canMonoDeprecated(bool state = true);
    virtual void __setRealtimeQualitiesDeprecated(VstInt32 qualities);
    virtual void __setOfflineQualitiesDeprecated(VstInt32 qualities);
    virtual bool __isInputConnectedDeprecated(VstInt32 input);
    virtual bool __isOutputConnectedDeprecated(VstInt32 output);

    // Takes ownership of the editor and tells the host whether there is one.
    void setEditor(AEffEditor* editor);

    // The record's function pointers: each reaches the object through AEffect::object.
    static VstIntPtr dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                         VstIntPtr value, void* ptr, float opt);
    static float getParameterClass(AEffect* e, VstInt32 index);
    static void setParameterClass(AEffect* e, VstInt32 index, float value);
    static void __processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                         VstInt32 sampleFrames);
    static void processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                      VstInt32 sampleFrames);
    static void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                            VstInt32 sampleFrames);

  protected:
    // A rate of zero or less, or no number, would divide by zero further on.
    static bool isValidSampleRate(float rate);
    void setFlag(VstInt32 bit, bool state);
    bool hasFlag(VstInt32 bit) const { return (aeffect.flags & bit) != 0; }
    // Calls the host with this instance's record; 0 when there is no host callback.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.f);

    audioMasterCallback audioMaster;
    AEffEditor* editor;
    float sampleRate;
    VstInt32 blockSize;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram;
    AEffect aeffect;
};

// Made by the plug-in: constructs its effect object for one host instance.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
