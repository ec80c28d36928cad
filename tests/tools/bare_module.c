// SPDX-License-Identifier: GPL-3.0-or-later
/* A loadable module that is no effect: without definitions it exports no entry point at all;
 * with BARE_NULL_EFFECT its entry point returns no effect. The host must refuse both. */
#define EXPORT __attribute__((visibility("default")))

#ifdef BARE_NULL_EFFECT
EXPORT void* VSTPluginMain(void* host)
{
    (void)host;
    return 0;
}
#else
EXPORT int bareAnswer(void)
{
    return 42;
}
#endif
