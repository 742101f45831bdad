#include "net/IPv4Address.h"

#include <cstdio>

void CIPv4Address::Parse(const char* text) {
  if (text) std::sscanf(text, "%d.%d.%d.%d", &a, &b, &c, &d);
}

bool CIPv4Address::IsLess(const CIPv4Address& other) const {
  if (a != other.a) return a < other.a;
  if (b != other.b) return b < other.b;
  if (c != other.c) return c < other.c;
  return d < other.d;
}

bool CIPv4Address::Equals(const CIPv4Address& other) const {
  return a == other.a && b == other.b && c == other.c && d == other.d;
}

CIPv4Address CIPv4Address::Increment() {
  int* parts[] = {&d, &c, &b, &a};
  for (int* part : parts) {
    if (*part != 255) {
      ++*part;
      break;
    }
    *part = 0;
  }
  return *this;
}

int CIPv4Address::GetClass() const {
  if (a >= 0 && a <= 127) return 1;
  if (a >= 128 && a <= 191) return 2;
  if (a >= 192 && a <= 223) return 3;
  if (a >= 224 && a <= 239) return 4;
  if (a >= 240 && a <= 247) return 5;
  return 0;
}

int CIPv4Address::Format(char* buffer, int length) const {
  if (!buffer || length < 15) return -1;
  std::snprintf(buffer, static_cast<size_t>(length), "%d.%d.%d.%d", a, b, c, d);
  return 0;
}

std::string CIPv4Address::ToString() const {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", a, b, c, d);
  return text;
}

namespace {

// True when the host parts of a classful address (those after the class's network parts) all hold value.
bool HostPartIs(const CIPv4Address& address, int addressClass, int value) {
  switch (addressClass) {
    case 1: return address.b == value && address.c == value && address.d == value;
    case 2: return address.c == value && address.d == value;
    case 3: return address.d == value;
    default: return false;
  }
}

}  // namespace

int CIPv4Address::IsClassfulNetwork() const {
  int addressClass = GetClass();
  return HostPartIs(*this, addressClass, 0) ? addressClass : 0;
}

int CIPv4Address::IsClassfulBroadcast(char* firstHost, int length) const {
  int addressClass = GetClass();
  if (!HostPartIs(*this, addressClass, 255)) return 0;
  if (firstHost && length >= 15) {
    CIPv4Address host = *this;
    if (addressClass == 1) host.b = 0;
    if (addressClass <= 2) host.c = 0;
    host.d = 1;
    host.Format(firstHost, length);
  }
  return addressClass;
}
