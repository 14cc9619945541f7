// The sound plugin's one entry: it makes the output over the system's devices.
#include "DeviceSoundOutput.h"

extern "C" Q_DECL_EXPORT quimba::SoundOutput* QuimbaMakeSoundOutput() { return new quimba::DeviceSoundOutput; }
