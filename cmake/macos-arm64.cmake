# SPDX-License-Identifier: GPL-3.0-or-later
# The arm64 slice of the macOS bundles (scripts/build-macos.sh builds both and joins them).
set(SFERANT_MAC_SLICE arm64)
include(${CMAKE_CURRENT_LIST_DIR}/macos-common.cmake)
