// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin/vst2/Sferant.h"

void Sferant::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    float values[sferant::kNumParams];
    readParameters(values);
    processor.setParameters(values);
    processor.process(inputs, outputs, sampleFrames);
}

void Sferant::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
    float values[sferant::kNumParams];
    readParameters(values);
    processor.setParameters(values);
    processor.process(inputs, outputs, sampleFrames);
}
