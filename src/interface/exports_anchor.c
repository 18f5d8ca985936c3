/* The shared library has no code of its own: it is the core archive linked
 * whole, trimmed to the exports by the version script. */
#include "kavu32.h"
