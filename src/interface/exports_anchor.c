/* The shared library has no code of its own: it is every layer's objects,
 * trimmed to the exports by the version script (the .def file on Windows). */
#include "kavu32.h"
