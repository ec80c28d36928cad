# SPDX-License-Identifier: GPL-3.0-or-later
# What a format folder (plugin/<format>/CMakeLists.txt) calls to plug in; the top level lists
# the folder in SFERANT_FORMATS and touches nothing else.
#   sferant_format(NAME TITLE [PLACE text])  the format builds here: its tests folder
#       tests/NAME (if any) is added, TITLE names it in the package's summary and PLACE says
#       where the package puts it ("the LV2 bundle into /usr/lib/lv2")
#   sferant_add_loader(TARGET SYMBOL)  its host side: a library that defines
#       `extern const PluginLoader SYMBOL` (plugin/hosting/LoadedPlugin.h) for loadPlugin
#   sferant_package(ARGS...)  install() arguments for what the system package holds of it

function(sferant_format name title)
  set_property(GLOBAL APPEND PROPERTY SFERANT_BUILT_FORMATS ${name})
  set_property(GLOBAL APPEND PROPERTY SFERANT_PACKAGE_TITLES "${title}")
  if(ARGC GREATER 2)
    set_property(GLOBAL APPEND PROPERTY SFERANT_PACKAGE_PLACES "${ARGV2}")
  endif()
endfunction()

function(sferant_add_loader target symbol)
  set_property(GLOBAL APPEND PROPERTY SFERANT_LOADER_TARGETS ${target})
  set_property(GLOBAL APPEND PROPERTY SFERANT_LOADER_SYMBOLS ${symbol})
endfunction()

# The packaging (cmake/debian_package.cmake) sets SFERANT_PACKAGE_COMPONENT; without one the
# rules are dropped.
function(sferant_package)
  if(SFERANT_PACKAGE_COMPONENT)
    install(${ARGN} COMPONENT ${SFERANT_PACKAGE_COMPONENT} EXCLUDE_FROM_ALL)
  endif()
endfunction()

# "A, B and C".
function(sferant_join_words out)
  list(POP_BACK ARGN last)
  list(JOIN ARGN ", " text)
  if(text)
    set(text "${text} and ")
  endif()
  set(${out} "${text}${last}" PARENT_SCOPE)
endfunction()

# Overridden by the packaging where there is one.
macro(sferant_finish_package)
endmacro()
