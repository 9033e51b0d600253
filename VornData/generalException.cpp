#include "VornData/generalException.h"
