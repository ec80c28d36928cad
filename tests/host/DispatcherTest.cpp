// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "HostFixture.h"

namespace
{

using Dispatcher = HostFixture;

struct Answer
{
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    VstIntPtr expected;
};

TEST_F(Dispatcher, defaultsAnswerTheHost)
{
    const Answer answers[] = {
        {effOpen, 0, 0, 0, 0},
        {effGetProgram, 0, 0, 0, 0},
        {effGetVu, 0, 0, 0, 0},
        {effMainsChanged, 0, 1, 0, 0},
        {effEditDraw, 0, 0, 0, 0},
        {effEditMouse, 0, 0, 0, 0},
        {effEditKey, 0, 0, 0, 0},
        {effEditTop, 0, 0, 0, 0},
        {effEditSleep, 0, 0, 0, 0},
        {effIdentify, 0, 0, 0, 0x4E764566},
        {effCanBeAutomated, 0, 0, 0, 1},
        {effCanBeAutomated, 2, 0, 0, 1},
        {effGetNumProgramCategories, 0, 0, 0, 1},
        {effCopyProgram, 1, 0, 0, 0},
        {effConnectInput, 0, 1, 0, 1},
        {effConnectOutput, 0, 0, 0, 1},
        {effGetPlugCategory, 0, 0, 0, 0},
        {effGetCurrentPosition, 0, 0, 0, 0},
        {effGetDestinationBuffer, 0, 0, 0, 0},
        {effSetBlockSizeAndSampleRate, 0, 512, 48000.f, 1},
        {effSetBypass, 0, 1, 0, 0},
        {effGetVendorVersion, 0, 0, 0, 0},
        {effVendorSpecific, 1, 2, 3.f, 0},
        {effGetTailSize, 0, 0, 0, 0},
        {effIdle, 0, 0, 0, 0},
        {effGetIcon, 0, 0, 0, 0},
        {effSetViewPosition, 10, 20, 0, 0},
        {effKeysRequired, 0, 0, 0, 1},
        {effGetVstVersion, 0, 0, 0, 2400},
        {effHasMidiProgramsChanged, 0, 0, 0, 0},
        {effBeginSetProgram, 0, 0, 0, 0},
        {effEndSetProgram, 0, 0, 0, 0},
        {effStartProcess, 0, 0, 0, 0},
        {effStopProcess, 0, 0, 0, 0},
        {effSetTotalSampleToProcess, 0, 4096, 0, 4096},
        {effSetPanLaw, 0, 1, 0.5f, 0},
        {effSetProcessPrecision, 0, 1, 0, 0},
        {effGetNumMidiInputChannels, 0, 0, 0, 0},
        {effGetNumMidiOutputChannels, 0, 0, 0, 0},
        {80, 0, 0, 0, 0},
        {-1, 0, 0, 0, 0},
        {1000, 0, 0, 0, 0},
    };
    for (const Answer& a : answers)
        EXPECT_EQ(dispatch(a.opcode, a.index, a.value, nullptr, a.opt), a.expected) << a.opcode;
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(Dispatcher, pointerOpcodesWithANullPointerWriteNothingAndAnswerZero)
{
    const VstInt32 opcodes[] = {
        effSetProgramName,
        effGetProgramName,
        effGetParamLabel,
        effGetParamDisplay,
        effGetParamName,
        effGetChunk,
        effSetChunk,
        effProcessEvents,
        effString2Parameter,
        effGetProgramNameIndexed,
        effGetInputProperties,
        effGetOutputProperties,
        effOfflineNotify,
        effOfflinePrepare,
        effOfflineRun,
        effProcessVarIo,
        effSetSpeakerArrangement,
        effGetEffectName,
        effGetErrorText,
        effGetVendorString,
        effGetProductString,
        effCanDo,
        effGetParameterProperties,
        effGetMidiProgramName,
        effGetMidiProgramCategory,
        effGetMidiKeyName,
        effGetSpeakerArrangement,
        effShellGetNextPlugin,
        effBeginLoadBank,
        effBeginLoadProgram,
    };
    for (VstInt32 opcode : opcodes)
        EXPECT_EQ(dispatch(opcode, 0, 16, nullptr), 0) << opcode;
    EXPECT_EQ(effect->programName, "A program name longer than any field");
}

TEST_F(Dispatcher, currentMidiProgramIsNoneWithOrWithoutARecord)
{
    char record[64] = {};
    EXPECT_EQ(dispatch(effGetCurrentMidiProgram, 0, 0, record), -1);
    EXPECT_EQ(dispatch(effGetCurrentMidiProgram, 0, 0, nullptr), -1);
}

TEST_F(Dispatcher, speakerArrangementsNeedBothPointers)
{
    VstSpeakerArrangement* input = reinterpret_cast<VstSpeakerArrangement*>(1);
    VstSpeakerArrangement* output = reinterpret_cast<VstSpeakerArrangement*>(1);
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), nullptr),
              0);
    EXPECT_EQ(input, reinterpret_cast<VstSpeakerArrangement*>(1));
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

struct TextCase
{
    VstInt32 opcode;
    VstInt32 index;
    std::string text; // what the host reads back
};

TEST_F(Dispatcher, textsFitTheHostsBuffers)
{
    effect->setParameter(0, 0.5f);
    const TextCase cases[] = {
        {effGetParamName, 0, "Gain wit"},
        {effGetParamName, 2, "Other"},
        {effGetParamDisplay, 0, "0.500000"},
        {effGetParamLabel, 0, ""},
        {effGetProgramName, 0, "A program name longer t"},
        {effGetEffectName, 0, std::string(31, 'E')},
    };
    for (const TextCase& c : cases)
    {
        char buffer[128];
        std::memset(buffer, '#', sizeof buffer);
        dispatch(c.opcode, c.index, 0, buffer);
        EXPECT_EQ(buffer, c.text) << c.opcode;
        EXPECT_EQ(buffer[c.text.size() + 1], '#') << c.opcode;
    }
}

TEST_F(Dispatcher, parameterOpcodesIgnoreAnIndexOutsideTheParameters)
{
    const VstInt32 opcodes[] = {effGetParamLabel,  effGetParamDisplay,  effGetParamName,
                                effCanBeAutomated, effString2Parameter, effGetParameterProperties};
    for (VstInt32 opcode : opcodes)
    {
        for (VstInt32 index : {-1, TestEffect::kNumParams})
        {
            char buffer[64] = "untouched";
            EXPECT_EQ(dispatch(opcode, index, 0, buffer), 0) << opcode;
            EXPECT_STREQ(buffer, "untouched") << opcode;
        }
    }
}

TEST_F(Dispatcher, effectNameAnswersWhetherTheEffectGaveOne)
{
    char buffer[64] = "untouched";
    EXPECT_EQ(dispatch(effGetEffectName, 0, 0, buffer), 1);
    EXPECT_EQ(dispatch(effGetVendorString, 0, 0, buffer), 0);
    EXPECT_EQ(dispatch(effGetProductString, 0, 0, buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(Dispatcher, programNameFromTheHostIsCutToAProgramName)
{
    char name[] = "A name from the host that goes on and on";
    dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(effect->programName, "A name from the host th");
}

TEST_F(Dispatcher, setProgramAcceptsOnlyExistingPrograms)
{
    const std::pair<VstIntPtr, VstIntPtr> cases[] = {{1, 1}, {2, 1}, {-1, 1}, {0, 0}, {5, 0}};
    for (const auto& [value, program] : cases)
    {
        EXPECT_EQ(dispatch(effSetProgram, 0, value), 0);
        EXPECT_EQ(dispatch(effGetProgram), program) << value;
    }
}

TEST_F(Dispatcher, mainsChangedSuspendsOnZeroAndResumesOtherwise)
{
    dispatch(effMainsChanged, 0, 0);
    dispatch(effMainsChanged, 0, 2);
    dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(effect->suspended, 1);
    EXPECT_EQ(effect->resumed, 2);
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(Dispatcher, resumeOfAnInstrumentAsksTheHostForEvents)
{
    effect->isSynth(true);
    EXPECT_EQ(dispatch(effGetPlugCategory), 2);
    dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(recording_host::opcodes(), std::vector<VstInt32>{audioMasterWantMidi});
    EXPECT_EQ(recording_host::calls[0].value, 1);
}

TEST_F(Dispatcher, openAndCloseReachTheEffect)
{
    EXPECT_EQ(dispatch(effOpen), 0);
    EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.f), 0);
    EXPECT_EQ(effect->opened, 1);
    EXPECT_EQ(effect->closed, 1);
}

TEST_F(Dispatcher, engineSettingsAreStored)
{
    dispatch(effSetSampleRate, 0, 0, nullptr, 96000.f);
    dispatch(effSetBlockSize, 0, 256);
    EXPECT_EQ(effect->getSampleRate(), 96000.f);
    EXPECT_EQ(effect->getBlockSize(), 256);
    EXPECT_EQ(dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.f), 1);
    EXPECT_EQ(effect->getSampleRate(), 48000.f);
    EXPECT_EQ(effect->getBlockSize(), 512);
}

TEST_F(Dispatcher, aSampleRateOfZeroOrLessIsIgnored)
{
    for (float rate : {0.f, -44100.f, std::numeric_limits<float>::quiet_NaN()})
    {
        dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        dispatch(effSetBlockSizeAndSampleRate, 0, 64, nullptr, rate);
    }
    EXPECT_EQ(effect->getSampleRate(), 44100.f);
    EXPECT_EQ(effect->getBlockSize(), 1024);
}

TEST_F(Dispatcher, vuReadingIsScaledToSixteenBitsAndTruncated)
{
    const std::pair<float, VstIntPtr> cases[] = {
        {0.5f, 16383}, {1.f, 32767}, {-0.25f, -8191}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [vu, answer] : cases)
    {
        effect->vu = vu;
        EXPECT_EQ(dispatch(effGetVu), answer) << vu;
    }
}

TEST_F(Dispatcher, capabilityQueriesHaveNoOpinion)
{
    for (const char* text : {"receiveVstMidiEvent", "bypass", "anything"})
        EXPECT_EQ(dispatch(effCanDo, 0, 0, const_cast<char*>(text)), 0) << text;
}

TEST_F(Dispatcher, chunksAreNotSupportedByDefault)
{
    void* data = nullptr;
    char bytes[4] = {};
    EXPECT_EQ(dispatch(effGetChunk, 0, 0, &data), 0);
    EXPECT_EQ(dispatch(effSetChunk, 0, 4, bytes), 0);
}

} // namespace
