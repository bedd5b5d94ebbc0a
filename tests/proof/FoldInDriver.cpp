// Fold sessions into the counter file of the directory given, over and over,
// until killed: six connected ticks then one disconnected tick, each cycle
// adding 16 seconds.
#include <cstdio>
#include <unistd.h>

#include "TProofRig.h"

int main(int argc, char** argv)
{
  if (argc != 2 || ::chdir(argv[1]) != 0) {
    std::fprintf(stderr, "usage: FoldInDriver DIRECTORY\n");
    return 2;
  }
  TProofRig Rig;
  std::printf("ready\n");
  std::fflush(stdout);
  for (long Tick = 0;; ++Tick)
    Rig.Tick(Tick % 7 != 6);
}
