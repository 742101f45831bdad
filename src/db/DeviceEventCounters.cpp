#include "db/DeviceEventCounters.h"

DeviceEventCounterBlock DeviceEventCounters;
