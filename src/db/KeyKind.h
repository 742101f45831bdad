#pragma once
// Whether a device is looked up by its MAC address or by its IP address.
enum class KeyKind { Mac, Ip };
