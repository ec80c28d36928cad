# SPDX-License-Identifier: GPL-3.0-or-later
# Included by the top level before any folder: a Linux build makes a Debian package.
include(${PROJECT_SOURCE_DIR}/cmake/debian_package.cmake)
