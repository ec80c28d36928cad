// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "HostFixture.h"

namespace
{

struct Wrapper
{
    std::string name;
    std::function<VstIntPtr(TestEffect&)> call; // the wrapper's result, widened
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
    VstIntPtr fallback; // the result without a host callback
};

char kText[] = "sizeWindow";
int kRecord = 0;
void* const kPtr = &kRecord;

VstIntPtr ptrResult(const void* p)
{
    return reinterpret_cast<VstIntPtr>(p);
}

// Every wrapper with the call it makes and what it answers without a host.
std::vector<Wrapper> wrappers()
{
    auto* events = static_cast<VstEvents*>(kPtr);
    auto* task = static_cast<VstOfflineTask*>(kPtr);
    auto* files = static_cast<VstAudioFile*>(kPtr);
    auto* select = static_cast<VstFileSelect*>(kPtr);
    return {
        {"getMasterVersion", [](TestEffect& e) { return e.getMasterVersion(); }, 1, 0, 0, nullptr,
         0, 1},
        {"getCurrentUniqueId", [](TestEffect& e) { return e.getCurrentUniqueId(); }, 2, 0, 0,
         nullptr, 0, 0},
        {"masterIdle",
         [](TestEffect& e)
         {
             e.masterIdle();
             return 0;
         },
         3, 0, 0, nullptr, 0, 0},
        {"isInputConnected", [](TestEffect& e) { return e.__isInputConnectedDeprecated(3); }, 4, 3,
         0, nullptr, 0, 1},
        {"isOutputConnected", [](TestEffect& e) { return e.__isOutputConnectedDeprecated(5); }, 4,
         5, 1, nullptr, 0, 1},
        {"wantEvents",
         [](TestEffect& e)
         {
             e.__wantEventsDeprecated(1);
             return 0;
         },
         6, 0, 1, nullptr, 0, 0},
        {"getTimeInfo", [](TestEffect& e) { return ptrResult(e.getTimeInfo(0x200)); }, 7, 0, 0x200,
         nullptr, 0, 0},
        {"sendVstEventsToHost", [=](TestEffect& e) { return e.sendVstEventsToHost(events); }, 8, 0,
         0, kPtr, 0, 0},
        {"tempoAt", [](TestEffect& e) { return e.__tempoAtDeprecated(99); }, 10, 0, 99, nullptr, 0,
         0},
        {"getNumAutomatableParameters",
         [](TestEffect& e) { return e.__getNumAutomatableParametersDeprecated(); }, 11, 0, 0,
         nullptr, 0, 0},
        {"getParameterQuantization",
         [](TestEffect& e) { return e.__getParameterQuantizationDeprecated(); }, 12, 0, 0, nullptr,
         0, 0},
        {"ioChanged", [](TestEffect& e) { return e.ioChanged(); }, 13, 0, 0, nullptr, 0, 0},
        {"needIdle", [](TestEffect& e) { return e.__needIdleDeprecated(); }, 14, 0, 0, nullptr, 0,
         0},
        {"sizeWindow", [](TestEffect& e) { return e.sizeWindow(535, 275); }, 15, 535, 275, nullptr,
         0, 0},
        {"getInputLatency", [](TestEffect& e) { return e.getInputLatency(); }, 18, 0, 0, nullptr, 0,
         0},
        {"getOutputLatency", [](TestEffect& e) { return e.getOutputLatency(); }, 19, 0, 0, nullptr,
         0, 0},
        {"getPreviousPlug",
         [](TestEffect& e) { return ptrResult(e.__getPreviousPlugDeprecated(4)); }, 20, 0, 0,
         nullptr, 0, 0},
        {"getNextPlug", [](TestEffect& e) { return ptrResult(e.__getNextPlugDeprecated(4)); }, 21,
         0, 0, nullptr, 0, 0},
        {"willProcessReplacing", [](TestEffect& e) { return e.__willProcessReplacingDeprecated(); },
         22, 0, 0, nullptr, 0, 0},
        {"getCurrentProcessLevel", [](TestEffect& e) { return e.getCurrentProcessLevel(); }, 23, 0,
         0, nullptr, 0, 0},
        {"getAutomationState", [](TestEffect& e) { return e.getAutomationState(); }, 24, 0, 0,
         nullptr, 0, 0},
        {"offlineStart", [=](TestEffect& e) { return e.offlineStart(files, 2, 1); }, 25, 1, 2, kPtr,
         0, 0},
        {"offlineRead", [=](TestEffect& e) { return e.offlineRead(task, 3, true); }, 26, 1, 3, kPtr,
         0, 0},
        {"offlineWrite", [=](TestEffect& e) { return e.offlineWrite(task, 3); }, 27, 0, 3, kPtr, 0,
         0},
        {"offlineGetCurrentPass", [](TestEffect& e) { return e.offlineGetCurrentPass(); }, 28, 0, 0,
         nullptr, 0, 0},
        {"offlineGetCurrentMetaPass", [](TestEffect& e) { return e.offlineGetCurrentMetaPass(); },
         29, 0, 0, nullptr, 0, 0},
        {"setOutputSamplerate",
         [](TestEffect& e)
         {
             e.__setOutputSamplerateDeprecated(48000.f);
             return 0;
         },
         30, 0, 0, nullptr, 48000.f, 0},
        {"getOutputSpeakerArrangement",
         [](TestEffect& e) { return ptrResult(e.__getOutputSpeakerArrangementDeprecated()); }, 31,
         0, 0, nullptr, 0, 0},
        {"getHostVendorString", [](TestEffect& e) { return e.getHostVendorString(kText); }, 32, 0,
         0, kText, 0, 0},
        {"getHostProductString", [](TestEffect& e) { return e.getHostProductString(kText); }, 33, 0,
         0, kText, 0, 0},
        {"getHostVendorVersion", [](TestEffect& e) { return e.getHostVendorVersion(); }, 34, 0, 0,
         nullptr, 0, 0},
        {"hostVendorSpecific", [](TestEffect& e) { return e.hostVendorSpecific(1, 2, kPtr, 3.f); },
         35, 1, 2, kPtr, 3.f, 0},
        {"canHostDo", [](TestEffect& e) { return e.canHostDo(kText); }, 37, 0, 0, kText, 0, 0},
        {"getHostLanguage", [](TestEffect& e) { return e.getHostLanguage(); }, 38, 0, 0, nullptr, 0,
         0},
        {"openWindow", [](TestEffect& e) { return e.__openWindowDeprecated(kPtr); }, 39, 0, 0, kPtr,
         0, 0},
        {"closeWindow", [](TestEffect& e) { return e.__closeWindowDeprecated(kPtr); }, 40, 0, 0,
         kPtr, 0, 0},
        {"getDirectory", [](TestEffect& e) { return ptrResult(e.getDirectory()); }, 41, 0, 0,
         nullptr, 0, 0},
        {"updateDisplay", [](TestEffect& e) { return e.updateDisplay(); }, 42, 0, 0, nullptr, 0, 0},
        {"beginEdit", [](TestEffect& e) { return e.beginEdit(2); }, 43, 2, 0, nullptr, 0, 0},
        {"endEdit", [](TestEffect& e) { return e.endEdit(2); }, 44, 2, 0, nullptr, 0, 0},
        {"openFileSelector", [=](TestEffect& e) { return e.openFileSelector(select); }, 45, 0, 0,
         kPtr, 0, 0},
        {"closeFileSelector", [=](TestEffect& e) { return e.closeFileSelector(select); }, 46, 0, 0,
         kPtr, 0, 0},
        {"getChunkFile", [](TestEffect& e) { return e.__getChunkFileDeprecated(kPtr); }, 48, 0, 0,
         kPtr, 0, 0},
        {"getInputSpeakerArrangement",
         [](TestEffect& e) { return ptrResult(e.__getInputSpeakerArrangementDeprecated()); }, 49, 0,
         0, nullptr, 0, 0},
    };
    // clang-format on
}

using HostCalls = HostFixture;

TEST_F(HostCalls, eachWrapperSendsOneCallWithThisInstancesRecord)
{
    for (const Wrapper& w : wrappers())
    {
        recording_host::calls.clear();
        w.call(*effect);
        ASSERT_EQ(recording_host::calls.size(), 1u) << w.name;
        const recording_host::Call& c = recording_host::calls[0];
        EXPECT_EQ(c.effect, record) << w.name;
        EXPECT_EQ(c.opcode, w.opcode) << w.name;
        EXPECT_EQ(c.index, w.index) << w.name;
        EXPECT_EQ(c.value, w.value) << w.name;
        EXPECT_EQ(c.ptr, w.ptr) << w.name;
        EXPECT_EQ(c.opt, w.opt) << w.name;
    }
}

TEST(HostCallsWithoutHost, eachWrapperAnswersItsFallback)
{
    TestEffect effect(nullptr);
    for (const Wrapper& w : wrappers())
        EXPECT_EQ(w.call(effect), w.fallback) << w.name;
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
}

TEST_F(HostCalls, answersPassBackOrBecomeTrueWhenNonZero)
{
    for (const Wrapper& w : wrappers())
        recording_host::answers[w.opcode] = 7;
    const std::pair<const char*, VstIntPtr> expected[] = {
        {"getMasterVersion", 7}, {"getCurrentUniqueId", 7}, {"isInputConnected", 0},
        {"tempoAt", 7},          {"ioChanged", 1},          {"sizeWindow", 1},
        {"canHostDo", 1},        {"beginEdit", 1},          {"getTimeInfo", 7},
        {"openWindow", 7},       {"sendVstEventsToHost", 0}};
    const std::vector<Wrapper> all = wrappers();
    for (const auto& [name, answer] : expected)
    {
        auto w =
            std::find_if(all.begin(), all.end(), [&](const Wrapper& x) { return x.name == name; });
        ASSERT_NE(w, all.end()) << name;
        EXPECT_EQ(w->call(*effect), answer) << name;
    }
}

TEST_F(HostCalls, eventsCountAsSentOnlyWhenTheHostAnswersOne)
{
    const std::pair<VstIntPtr, bool> cases[] = {{0, false}, {1, true}, {2, false}};
    for (const auto& [answer, sent] : cases)
    {
        recording_host::answers[audioMasterProcessEvents] = answer;
        EXPECT_EQ(effect->sendVstEventsToHost(nullptr), sent) << answer;
    }
}

TEST_F(HostCalls, aPinIsConnectedWhenTheHostAnswersZero)
{
    EXPECT_TRUE(effect->__isInputConnectedDeprecated(0));
    recording_host::answers[audioMasterPinConnected] = 1;
    EXPECT_FALSE(effect->__isOutputConnectedDeprecated(0));
}

TEST_F(HostCalls, aHostVersionOfZeroReadsAsOne)
{
    recording_host::answers[audioMasterVersion] = 0;
    EXPECT_EQ(effect->getMasterVersion(), 1);
}

TEST_F(HostCalls, sampleRateAndBlockSizeTakeOnlyPositiveAnswers)
{
    for (VstIntPtr answer : {0, -1})
    {
        recording_host::answers[audioMasterGetSampleRate] = answer;
        recording_host::answers[audioMasterGetBlockSize] = answer;
        EXPECT_EQ(effect->updateSampleRate(), 44100.0);
        EXPECT_EQ(effect->updateBlockSize(), 1024);
    }
    recording_host::answers[audioMasterGetSampleRate] = 96000;
    recording_host::answers[audioMasterGetBlockSize] = 128;
    EXPECT_EQ(effect->updateSampleRate(), 96000.0);
    EXPECT_EQ(effect->updateBlockSize(), 128);
    EXPECT_EQ(effect->getSampleRate(), 96000.f);
}

TEST_F(HostCalls, nothingIsSentForAMissingFileSelectorOrPath)
{
    EXPECT_FALSE(effect->openFileSelector(nullptr));
    EXPECT_FALSE(effect->closeFileSelector(nullptr));
    EXPECT_FALSE(effect->__getChunkFileDeprecated(nullptr));
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(HostCalls, automationStoresTheValueThenTellsTheHost)
{
    effect->setParameterAutomated(2, 0.75f);
    EXPECT_EQ(effect->values[2], 0.75f);
    ASSERT_EQ(recording_host::opcodes(), std::vector<VstInt32>{audioMasterAutomate});
    EXPECT_EQ(recording_host::calls[0].index, 2);
    EXPECT_EQ(recording_host::calls[0].opt, 0.75f);
}

TEST(HostCallsWithoutHost, automationStillStoresTheValue)
{
    TestEffect effect(nullptr);
    effect.setParameterAutomated(1, 0.5f);
    EXPECT_EQ(effect.values[1], 0.5f);
}

TEST_F(HostCalls, aGestureSendsBeginAutomateEndWithTheParameterIndex)
{
    effect->beginEdit(0);
    effect->setParameterAutomated(0, 0.1f);
    effect->setParameterAutomated(0, 0.2f);
    effect->endEdit(0);
    const std::vector<VstInt32> expected = {audioMasterBeginEdit, audioMasterAutomate,
                                            audioMasterAutomate, audioMasterEndEdit};
    EXPECT_EQ(recording_host::opcodes(), expected);
    for (const recording_host::Call& c : recording_host::calls)
        EXPECT_EQ(c.index, 0);
}

} // namespace
