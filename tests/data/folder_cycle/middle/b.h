#include "upper/c.h"
