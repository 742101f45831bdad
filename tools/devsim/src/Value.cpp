#include "Value.h"

namespace devsim {

Value Value::Integer(long number, u_char tag) {
  Value value;
  value.type = tag;
  value.integer = number;
  return value;
}

Value Value::OctetString(std::string text) {
  Value value;
  value.type = ASN_OCTET_STR;
  value.bytes = std::move(text);
  return value;
}

}  // namespace devsim
