// The shared state is plain data; this file gives the library a translation unit.
#include "state/shared_state.h"
