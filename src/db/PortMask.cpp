#include "db/PortMask.h"

#include <cstdlib>
#include <vector>

namespace {

struct SwitchModel {
  const char* sysObjectId;
  int ports;
};

constexpr SwitchModel kModels[] = {
    {"1.3.6.1.4.1.44711.10.76.1", 16},
    {"1.3.6.1.4.1.44711.10.76.2", 24},
};

const SwitchModel* FindModel(const std::string& modelOid) {
  for (const SwitchModel& model : kModels)
    if (modelOid == model.sysObjectId) return &model;
  return nullptr;
}

int MaskBytes(const SwitchModel& model) { return (model.ports + 7) / 8; }

// Reads up to count blank-separated hexadecimal numbers; missing ones stay 0.
std::vector<unsigned char> ReadMaskBytes(const std::string& text, int count) {
  std::vector<unsigned char> bytes(count, 0);
  const char* p = text.c_str();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(p, &end, 16);
    if (end == p) break;
    bytes[i] = static_cast<unsigned char>(value & 0xFF);
    p = end;
  }
  return bytes;
}

// The bytes as two-digit hexadecimal numbers separated by single blanks.
std::string JoinHexBytes(const std::vector<unsigned char>& bytes, bool upperCase) {
  const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  for (unsigned char byte : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[byte >> 4];
    text += digits[byte & 0x0F];
  }
  return text;
}

}  // namespace

int IsPortInPortMask(const std::string& maskText, int port, const std::string& modelOid) {
  if (port < 1) return -1;
  const SwitchModel* model = FindModel(modelOid);
  if (!model || port > model->ports) return -1;
  const std::vector<unsigned char> bytes = ReadMaskBytes(maskText, MaskBytes(*model));
  const int bit = 0x80 >> ((port - 1) % 8);
  return bytes[(port - 1) / 8] & bit;
}

bool NormalizePortMask(std::string& maskText, const std::string& modelOid) {
  const SwitchModel* model = FindModel(modelOid);
  if (!model) return false;
  maskText = JoinHexBytes(ReadMaskBytes(maskText, MaskBytes(*model)), false);
  return true;
}

std::string FormatPortMaskOctets(const std::vector<unsigned char>& octets) { return JoinHexBytes(octets, true); }
