// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the entry point with the test effect as a module, as a host does.
#include <gtest/gtest.h>
#include <memory>

#include "LoadedModule.h"
#include "RecordingHost.h"

namespace
{

typedef AEffect* (*EntryPoint)(audioMasterCallback);

class EntryPoint_ : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        recording_host::reset();
        module = std::make_unique<LoadedModule>(TEST_HOST_PLUGIN_PATH);
        ASSERT_TRUE(module->loaded()) << module->error();
        entry = module->symbol<EntryPoint>("VSTPluginMain");
        ASSERT_NE(entry, nullptr);
    }
    static void close(AEffect* e) { EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.f), 1); }

    std::unique_ptr<LoadedModule> module;
    EntryPoint entry = nullptr;
};

TEST_F(EntryPoint_, withoutAHostCallbackNothingIsCreated)
{
    EXPECT_EQ(entry(nullptr), nullptr);
}

TEST_F(EntryPoint_, aHostAnsweringVersionZeroGetsNothing)
{
    recording_host::answers[audioMasterVersion] = 0;
    EXPECT_EQ(entry(recording_host::callback), nullptr);
    ASSERT_EQ(recording_host::calls.size(), 1u);
}

TEST_F(EntryPoint_, asksTheVersionFirstWithoutARecord)
{
    AEffect* e = entry(recording_host::callback);
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(recording_host::calls.size(), 1u);
    const recording_host::Call& c = recording_host::calls[0];
    EXPECT_EQ(c.effect, nullptr);
    EXPECT_EQ(c.opcode, audioMasterVersion);
    EXPECT_EQ(c.index, 0);
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(c.ptr, nullptr);
    EXPECT_EQ(c.opt, 0.f);
    EXPECT_EQ(e->magic, kEffectMagic);
    close(e);
}

TEST_F(EntryPoint_, mainIsTheSameEntryPoint)
{
    auto main = module->symbol<EntryPoint>("main");
    ASSERT_NE(main, nullptr);
    AEffect* e = main(recording_host::callback);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->numParams, 3);
    close(e);
}

TEST_F(EntryPoint_, onlyTheEntryPointsAreExported)
{
    EXPECT_EQ(module->symbol<void*>("_Z20createEffectInstancePFlP7AEffectiilPvfE"), nullptr);
    EXPECT_EQ(module->symbol<void*>("_Z8copyTextPKcm"), nullptr);
}

TEST_F(EntryPoint_, eachCallMakesAnIndependentInstance)
{
    AEffect* first = entry(recording_host::callback);
    AEffect* second = entry(recording_host::callback);
    ASSERT_NE(first, second);
    first->setParameter(first, 0, 0.25f);
    second->setParameter(second, 0, 0.5f);
    EXPECT_EQ(first->getParameter(first, 0), 0.25f);
    EXPECT_EQ(second->getParameter(second, 0), 0.5f);
    close(first);
    close(second);
}

} // namespace
