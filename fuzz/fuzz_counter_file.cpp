#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  FuzzCounterFile(Data, Size);
  return 0;
}
