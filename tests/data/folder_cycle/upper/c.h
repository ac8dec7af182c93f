#include "lower/a.h"
