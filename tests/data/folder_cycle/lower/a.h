#include "middle/b.h"
