// SPDX-License-Identifier: GPL-3.0-or-later
// A host's threads at once: automation sets parameters through the record
// while the audio thread processes blocks and the user-interface thread reads
// values and display texts. Under ThreadSanitizer any data race fails the run.
#include "ModuleInstance.h"
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

namespace sferant_test
{
namespace
{

// Any value a host sends: anywhere in 0..1, or exactly a switch position.
float automationValue(std::mt19937& random)
{
    std::uniform_real_distribution<float> anywhere(0.0f, 1.0f);
    constexpr float kPositions[] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    return random() % 2 ? anywhere(random) : kPositions[random() % 5];
}

TEST(HostThreads, automationWhileProcessingIsRaceFree)
{
    ModuleInstance effect;
    effect.start(48000.0f, 128);
    // The other threads run for as long as the audio thread processes.
    std::atomic<bool> processing{true};

    std::thread automation(
        [&]
        {
            std::mt19937 random(7);
            while (processing)
                effect.record->setParameter(effect.record, random() % sferant::kNumParams,
                                            automationValue(random));
        });
    std::thread userInterface(
        [&]
        {
            char text[64];
            while (processing)
                for (int i = 0; i < sferant::kNumParams; ++i)
                {
                    effect.record->getParameter(effect.record, i);
                    effect.dispatch(effGetParamDisplay, i, 0, text);
                }
        });

    Channels<float> single(128);
    Channels<double> twice(128);
    fillSignal(single.in[0], 1, 0);
    fillSignal(single.in[1], 2, 0);
    fillSignal(twice.in[0], 3, 0);
    fillSignal(twice.in[1], 4, 0);
    bool finite = true;
    for (int block = 0; block < 300; ++block)
    {
        effect.process(single, 128);
        effect.process(twice, 128);
        finite = finite && single.outputsFinite(128) && twice.outputsFinite(128);
    }
    processing = false;
    automation.join();
    userInterface.join();
    EXPECT_TRUE(finite);
}

} // namespace
} // namespace sferant_test
