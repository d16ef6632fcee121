// The test program's leak-checker settings.
#include "support/SanitizerDefaults.h"
