// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "plugin/TestEffect.h"

namespace
{

VstSpeakerProperties speaker(float azimuth, char nameFill)
{
    VstSpeakerProperties s;
    std::memset(&s, 0x5A, sizeof s);
    s.azimuth = azimuth;
    s.type = 7;
    std::memset(s.name, nameFill, sizeof s.name); // no terminator at all
    return s;
}

class SpeakerArrangement : public ::testing::Test
{
  protected:
    void TearDown() override { effect.deallocateArrangement(&arrangement); }
    TestEffect effect{nullptr};
    VstSpeakerArrangement* arrangement = nullptr;
};

TEST_F(SpeakerArrangement, allocationIsOneZeroedBlockWithItsChannelCount)
{
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 4));
    EXPECT_EQ(arrangement->numChannels, 4);
    EXPECT_EQ(arrangement->type, 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(arrangement->speakers);
    for (size_t i = 0; i < 4 * sizeof(VstSpeakerProperties); ++i)
        ASSERT_EQ(bytes[i], 0) << i;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2)); // replaces the first block
    EXPECT_EQ(arrangement->numChannels, 2);
}

TEST_F(SpeakerArrangement, deallocationClearsThePointer)
{
    effect.allocateArrangement(&arrangement, 1);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
}

TEST_F(SpeakerArrangement, copySpeakerNeedsBothRecordsAndTerminatesTheName)
{
    VstSpeakerProperties from = speaker(0.5f, 'n'), to{};
    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
    ASSERT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(to.azimuth, 0.5f);
    EXPECT_EQ(to.type, 7);
    EXPECT_EQ(std::strlen(to.name), 63u);
    EXPECT_EQ(std::memcmp(to.future, from.future, sizeof to.future), 0);
}

TEST_F(SpeakerArrangement, matchCopiesTypeAndEverySpeaker)
{
    VstSpeakerArrangement* from = nullptr;
    effect.allocateArrangement(&from, 3);
    from->type = 11;
    for (int i = 0; i < 3; ++i)
        from->speakers[i] = speaker(static_cast<float>(i), 'a' + i);
    effect.allocateArrangement(&arrangement, 8);

    ASSERT_TRUE(effect.matchArrangement(&arrangement, from));
    EXPECT_EQ(arrangement->numChannels, 3);
    EXPECT_EQ(arrangement->type, 11);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(arrangement->speakers[i].azimuth, static_cast<float>(i));
        EXPECT_EQ(std::string(arrangement->speakers[i].name), std::string(63, 'a' + i));
    }
    effect.deallocateArrangement(&from);
}

TEST_F(SpeakerArrangement, matchFromNothingFails)
{
    EXPECT_FALSE(effect.matchArrangement(&arrangement, nullptr));
}

// matchArrangement goes through the virtual helpers of the derived class.
class RefusingEffect : public TestEffect
{
  public:
    RefusingEffect() : TestEffect(nullptr) {}
    bool copySpeaker(VstSpeakerProperties*, VstSpeakerProperties*) override { return false; }
};

TEST(SpeakerArrangementOverride, matchStopsAtTheFirstSpeakerThatFailsToCopy)
{
    RefusingEffect effect;
    VstSpeakerArrangement *from = nullptr, *to = nullptr;
    effect.allocateArrangement(&from, 2);
    EXPECT_FALSE(effect.matchArrangement(&to, from));
    effect.deallocateArrangement(&from);
    effect.deallocateArrangement(&to);
}

} // namespace
