#include "TCounterState.h"

TCounterState CounterState;
