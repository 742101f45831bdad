#include "db/ApRowAddedFlag.h"

ApRowAddedFlag g_ApRowAddedFlag;
