#include "encoder/Sferant.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    return new Sferant(audioMaster);
}
