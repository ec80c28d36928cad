// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "HostFixture.h"

namespace
{

using RecordTest = HostFixture;

TEST_F(RecordTest, baseConstructorFillsTheRecord)
{
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numPrograms, TestEffect::kNumPrograms);
    EXPECT_EQ(record->numParams, TestEffect::kNumParams);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, effFlagsCanReplacing);
    EXPECT_EQ(record->reserved1, 0);
    EXPECT_EQ(record->reserved2, 0);
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(record->realQualities, 0);
    EXPECT_EQ(record->offQualities, 0);
    EXPECT_EQ(record->ioRatio, 1.f);
    EXPECT_EQ(record->object, static_cast<void*>(effect));
    EXPECT_EQ(record->user, nullptr);
    EXPECT_EQ(record->uniqueID, 0x4E6F4566);
    EXPECT_EQ(record->version, 1);
    for (char byte : record->future)
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(record->dispatcher, &AudioEffect::dispatchEffectClass);
    EXPECT_EQ(record->process, &AudioEffect::__processClassDeprecated);
    EXPECT_EQ(record->setParameter, &AudioEffect::setParameterClass);
    EXPECT_EQ(record->getParameter, &AudioEffect::getParameterClass);
    EXPECT_EQ(record->processReplacing, &AudioEffect::processClassReplacing);
    EXPECT_EQ(record->processDoubleReplacing, &AudioEffect::processClassDoubleReplacing);
}

TEST_F(RecordTest, eachFlagSetterChangesOnlyItsBit)
{
    const std::pair<std::function<void(bool)>, VstInt32> setters[] = {
        {[&](bool s) { effect->__hasClipDeprecated(s); }, 0x2},
        {[&](bool s) { effect->__hasVuDeprecated(s); }, 0x4},
        {[&](bool s) { effect->__canMonoDeprecated(s); }, 0x8},
        {[&](bool s) { effect->canProcessReplacing(s); }, 0x10},
        {[&](bool s) { effect->programsAreChunks(s); }, 0x20},
        {[&](bool s) { effect->isSynth(s); }, 0x100},
        {[&](bool s) { effect->noTail(s); }, 0x200},
        {[&](bool s) { effect->__wantAsyncOperationDeprecated(s); }, 0x400},
        {[&](bool s) { effect->__hasExternalBufferDeprecated(s); }, 0x800},
        {[&](bool s) { effect->canDoubleReplacing(s); }, 0x1000},
    };
    for (const auto& [setter, bit] : setters)
    {
        const VstInt32 before = record->flags;
        setter(true);
        EXPECT_EQ(record->flags, before | bit) << bit;
        setter(false);
        EXPECT_EQ(record->flags, before & ~bit) << bit;
        setter(true);
    }
    EXPECT_EQ(record->flags, 0x1F3E);
}

TEST_F(RecordTest, anEditorSetsTheEditorFlagAndNullClearsIt)
{
    FakeEditor* editor = attachEditor();
    EXPECT_EQ(record->flags, 0x11);
    EXPECT_EQ(effect->getEditor(), editor);
    effect->setEditor(nullptr);
    EXPECT_EQ(record->flags, 0x10);
    delete editor;
}

TEST_F(RecordTest, countSettersWriteTheRecordWithoutTellingTheHost)
{
    effect->setNumInputs(2);
    effect->setNumOutputs(36);
    effect->setUniqueID(0x53667274);
    effect->setInitialDelay(64);
    effect->__setRealtimeQualitiesDeprecated(3);
    effect->__setOfflineQualitiesDeprecated(4);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 36);
    EXPECT_EQ(record->uniqueID, 0x53667274);
    EXPECT_EQ(record->initialDelay, 64);
    EXPECT_EQ(record->realQualities, 3);
    EXPECT_EQ(record->offQualities, 4);
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(RecordTest, parametersTravelThroughTheRecordAndAreNotReportedBack)
{
    record->setParameter(record, 1, 0.25f);
    EXPECT_EQ(effect->values[1], 0.25f);
    EXPECT_EQ(record->getParameter(record, 1), 0.25f);
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(RecordTest, parameterIndexOutsideTheRangeNeverReachesTheEffect)
{
    for (VstInt32 index : {-1, TestEffect::kNumParams, 1000})
    {
        record->setParameter(record, index, 0.5f);
        EXPECT_EQ(record->getParameter(record, index), 0.f);
    }
    EXPECT_EQ(effect->setParameterCalls, 0);
}

TEST_F(RecordTest, processingThroughTheRecordReachesTheEffectAndSendsNothing)
{
    effect->setParameter(0, 0.5f);
    float input[4] = {1, 2, 3, 4}, left[4] = {}, right[4] = {};
    float* inputs[] = {input, input};
    float* outputs[] = {left, right};
    record->processReplacing(record, inputs, outputs, 4);
    EXPECT_EQ(right[3], 2.f);
    EXPECT_TRUE(recording_host::calls.empty());
}

TEST_F(RecordTest, deprecatedAndDoubleProcessingLeaveOutputsUntouchedByDefault)
{
    float input[2] = {1, 1}, output[2] = {7, 7};
    float* inputs[] = {input, input};
    float* outputs[] = {output, output};
    record->process(record, inputs, outputs, 2);
    EXPECT_EQ(output[0], 7.f);
    double dInput[2] = {1, 1}, dOutput[2] = {7, 7};
    double* dInputs[] = {dInput, dInput};
    double* dOutputs[] = {dOutput, dOutput};
    record->processDoubleReplacing(record, dInputs, dOutputs, 2);
    EXPECT_EQ(dOutput[1], 7.0);
}

TEST_F(RecordTest, twoInstancesKeepTheirOwnValues)
{
    AEffect* other = createEffectInstance(recording_host::callback)->getAeffect();
    record->setParameter(record, 0, 0.75f);
    other->setParameter(other, 0, 0.125f);
    EXPECT_EQ(record->getParameter(record, 0), 0.75f);
    EXPECT_EQ(other->getParameter(other, 0), 0.125f);
    other->dispatcher(other, effClose, 0, 0, nullptr, 0.f);
}

TEST_F(RecordTest, closeCallsCloseOnceThenDestroysTheEffectAndItsEditor)
{
    attachEditor();
    const int live = TestEffect::liveInstances;
    const int editorsDestroyed = FakeEditor::destroyed;
    EXPECT_EQ(dispatch(effClose), 1);
    EXPECT_EQ(TestEffect::liveInstances, live - 1);
    EXPECT_EQ(FakeEditor::destroyed, editorsDestroyed + 1);
    record = nullptr;
}

TEST_F(RecordTest, theObjectsOwnDispatcherOnlyCallsCloseAndAnswersZero)
{
    EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.f), 0);
    EXPECT_EQ(effect->closed, 1);
    EXPECT_EQ(dispatch(effClose), 1);
    record = nullptr;
}

TEST(RecordWithoutObject, forwardingFunctionsIgnoreAMissingObject)
{
    AEffect empty{};
    EXPECT_EQ(AudioEffect::dispatchEffectClass(&empty, effClose, 0, 0, nullptr, 0.f), 1);
    EXPECT_EQ(AudioEffect::dispatchEffectClass(&empty, effGetVstVersion, 0, 0, nullptr, 0.f), 0);
    EXPECT_EQ(AudioEffect::dispatchEffectClass(nullptr, effOpen, 0, 0, nullptr, 0.f), 0);
    EXPECT_EQ(AudioEffect::getParameterClass(&empty, 0), 0.f);
    AudioEffect::setParameterClass(&empty, 0, 1.f);
    AudioEffect::processClassReplacing(&empty, nullptr, nullptr, 16);
}

} // namespace
