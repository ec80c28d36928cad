// SPDX-License-Identifier: GPL-3.0-or-later
/* A minimal third-party effect written in plain C against the published record layout, so that
 * the host can be tested without Sferant: one input, two outputs, each output the input times
 * its own gain ("Left", "Right"). With TINY_GAIN_LOG set in the environment it appends every
 * dispatcher opcode, parameter setting and process call to that file, so tests can see what the
 * host did.
 *
 * Build variants (compile definitions):
 *   TINY_ENTRY_MAIN    exported under the old name "main" only; no double processing; an editor
 *                      that opens but draws nothing
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct Record Record;
typedef intptr_t (*HostCallback)(Record*, int32_t, int32_t, intptr_t, void*, float);

struct Record
{
    int32_t magic;
    intptr_t (*dispatcher)(Record*, int32_t, int32_t, intptr_t, void*, float);
    void (*process)(Record*, float**, float**, int32_t);
    void (*setParameter)(Record*, int32_t, float);
    float (*getParameter)(Record*, int32_t);
    int32_t numPrograms, numParams, numInputs, numOutputs, flags;
    intptr_t reserved1, reserved2;
    int32_t initialDelay, realQualities, offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID, version;
    void (*processReplacing)(Record*, float**, float**, int32_t);
    void (*processDoubleReplacing)(Record*, double**, double**, int32_t);
    char future[56];
};

typedef struct
{
    int16_t top, left, bottom, right;
} Rect;

typedef struct
{
    Record record; /* first, so a record pointer is an effect pointer */
    float gains[2];
    Rect editorRect;
} TinyGain;

static const char* const kNames[2] = {"Left", "Right"};

static void logLine(const char* what, long a, long b)
{
    const char* path = getenv("TINY_GAIN_LOG");
    FILE* file = path ? fopen(path, "a") : NULL;
    if (!file) return;
    fprintf(file, "%s %ld %ld\n", what, a, b);
    fclose(file);
}

static void copyText(void* ptr, const char* text)
{
    strcpy((char*)ptr, text);
}

static intptr_t editorOpcode(TinyGain* effect, int32_t opcode, void* ptr)
{
    switch (opcode)
    {
    case 13: /* effEditGetRect */
        *(Rect**)ptr = &effect->editorRect;
        return 1;
    case 14: /* effEditOpen: a real editor would make a child of the window in ptr */
        return ptr != NULL;
    default:
        return 0;
    }
}

static intptr_t dispatch(Record* record, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt)
{
    TinyGain* effect = (TinyGain*)record;
    logLine("dispatcher", opcode, opcode == 10 ? (long)opt : (long)value);
    switch (opcode)
    {
    case 1: /* effClose */
        free(effect);
        return 1;
    case 5: /* effGetProgramName */
        copyText(ptr, "Default");
        return 0;
    case 6: /* effGetParamLabel */
        copyText(ptr, index < 2 ? "x" : "");
        return 0;
    case 7: /* effGetParamDisplay */
        if (index < 2) snprintf((char*)ptr, 9, "%.3f", effect->gains[index]);
        return 0;
    case 8: /* effGetParamName */
        if (index < 2) copyText(ptr, kNames[index]);
        return 0;
    case 45: /* effGetEffectName */
    case 48: /* effGetProductString */
        copyText(ptr, "Tiny Gain");
        return 1;
    case 47: /* effGetVendorString */
        copyText(ptr, "Sferant Tests");
        return 1;
    case 58: /* effGetVstVersion */
        return 2400;
    default:
        return (record->flags & 1) ? editorOpcode(effect, opcode, ptr) : 0;
    }
}

static void setParameter(Record* record, int32_t index, float value)
{
    logLine("setParameter", index, (long)(value * 1000000.0f + 0.5f)); /* value in millionths */
    if (index >= 0 && index < 2) ((TinyGain*)record)->gains[index] = value;
}

static float getParameter(Record* record, int32_t index)
{
    return index >= 0 && index < 2 ? ((TinyGain*)record)->gains[index] : 0.0f;
}

static void processFloat(Record* record, float** in, float** out, int32_t frames)
{
    const TinyGain* effect = (const TinyGain*)record;
    logLine("process float", frames, 0);
    for (int32_t i = 0; i < frames; ++i)
    {
        out[0][i] = in[0][i] * effect->gains[0];
        out[1][i] = in[0][i] * effect->gains[1];
    }
}

static void processDouble(Record* record, double** in, double** out, int32_t frames)
{
    const TinyGain* effect = (const TinyGain*)record;
    logLine("process double", frames, 0);
    for (int32_t i = 0; i < frames; ++i)
    {
        out[0][i] = in[0][i] * effect->gains[0];
        out[1][i] = in[0][i] * effect->gains[1];
    }
}

static Record* createTinyGain(HostCallback host)
{
    if (!host || host(NULL, 1 /* audioMasterVersion */, 0, 0, NULL, 0.0f) == 0) return NULL;
    TinyGain* effect = calloc(1, sizeof(TinyGain));
    Record* r = &effect->record;
    r->magic = 0x56737450;
    r->dispatcher = dispatch;
    r->setParameter = setParameter;
    r->getParameter = getParameter;
    r->processReplacing = processFloat;
    r->processDoubleReplacing = processDouble; /* callable only when the flag below says so */
    r->numPrograms = 1;
    r->numParams = 2;
    r->numInputs = 1;
    r->numOutputs = 2;
    r->flags = 0x10;
    r->ioRatio = 1.0f;
    r->object = effect;
    r->uniqueID = 0x546e7947; /* 'TnyG' */
    r->version = 7;
    effect->gains[0] = 1.0f;
    effect->gains[1] = 0.5f;
#ifdef TINY_ENTRY_MAIN
    r->flags |= 0x1;
    effect->editorRect = (Rect){0, 0, 120, 200};
#else
    r->flags |= 0x1000;
#endif
    return r;
}

#define EXPORT __attribute__((visibility("default")))

#ifdef TINY_ENTRY_MAIN
/* The old entry name; a C function cannot be called main here, so the symbol is named directly. */
EXPORT Record* tinyMain(HostCallback host) __asm__("main");
Record* tinyMain(HostCallback host)
{
    return createTinyGain(host);
}
#else
EXPORT Record* VSTPluginMain(HostCallback host)
{
    return createTinyGain(host);
}
#endif
