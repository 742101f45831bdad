#include "device/DeviceEventCounters.h"

DeviceEventCounterBlock DeviceEventCounters;
