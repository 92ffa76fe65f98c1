// The identifiers that the generated headers declare, defined once for the module.
#include <initguid.h>

#include "com/r58046.h"
