// SPDX-License-Identifier: GPL-3.0-or-later
#include "encoder/Sferant.h"

#include "encoder/FlushDenormals.h"

void Sferant::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    float values[sferant::kNumParams];
    readParameters(values);
    sferant::FlushDenormals flush;
    processor.process(values, sampleRate, inputs, outputs, sampleFrames);
}

void Sferant::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
    float values[sferant::kNumParams];
    readParameters(values);
    sferant::FlushDenormals flush;
    processor.process(values, sampleRate, inputs, outputs, sampleFrames);
}
