// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows module's editor, opened by sferant-host.exe under wine, against the Linux
// module's in the same state.
#include "WindowsHost.h"
#include "XServer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{

using sferant::layout::Box;

const Box kPanel{0, 0, sferant::layout::kPanelWidth, sferant::layout::kPanelHeight};
constexpr Box readoutOf(int parameter)
{
    return sferant::layout::controlOf(parameter, sferant::layout::Kind::readout).box;
}
const Box kReadouts[] = {readoutOf(sferant::kWidth), readoutOf(sferant::kDistance),
                         readoutOf(sferant::kAzimuth), readoutOf(sferant::kElevation)};

// Bitmaps are blended by the system's AlphaBlend here and by cairo there: a level of
// rounding apart at most.
constexpr int kBlendTolerance = 2;

int area(const Box& box)
{
    return (box.right - box.left) * (box.bottom - box.top);
}

} // namespace

using WineEditor = WindowsArchitecture;
INSTANTIATE_TEST_SUITE_P(On, WineEditor, testing::ValuesIn(windowsArchitectures()),
                         architectureName);

// GDI text is not cairo text (another rasteriser, other font files), so inside the four
// read-outs the glyphs may differ, up to a quarter of each box; everything else must match.
TEST_P(WineEditor, ShowsThePanelAsTheLinuxEditorDoes)
{
    sferant_test::XServer server;
    ASSERT_TRUE(server.started());
    const RgbaImage onLinux = referenceShot("Azimuth=0.5");
    const RgbaImage onWindows = referenceShot("Azimuth=0.5", windowsEditorHost(GetParam()));
    ASSERT_EQ(onWindows.width, sferant::layout::kPanelWidth);
    ASSERT_EQ(onWindows.height, sferant::layout::kPanelHeight);

    int inReadouts = 0;
    for (const Box& readout : kReadouts)
    {
        const int differing = differingPixels(onLinux, onWindows, readout, kBlendTolerance);
        EXPECT_LE(differing, area(readout) / 4);
        std::printf("read-out at %d,%d: %d of %d pixels differ\n", readout.left, readout.top,
                    differing, area(readout));
        inReadouts += differing;
    }
    const int outside = differingPixels(onLinux, onWindows, kPanel, kBlendTolerance) - inReadouts;
    EXPECT_EQ(outside, 0);
    std::printf("outside the read-outs: %d of %d pixels differ by more than %d levels\n", outside,
                area(kPanel) - 4 * area(kReadouts[0]), kBlendTolerance);
}
