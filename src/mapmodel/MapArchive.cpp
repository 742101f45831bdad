#include "mapmodel/MapArchive.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "mapmodel/Shape.h"
#include "mapmodel/ShapeClassRegistry.h"

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxClassNameLength = 256;

}  // namespace

CMapArchive::CMapArchive() { m_Loaded.emplace_back(); }

CMapArchive::CMapArchive(std::vector<std::uint8_t> bytes, const CShapeClassRegistry& registry)
    : m_Bytes(std::move(bytes)), m_Storing(false), m_Registry(&registry) {
  m_Loaded.emplace_back();  // index 0: the null reference
}

CMapArchive::~CMapArchive() = default;

void CMapArchive::WriteBytes(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  m_Bytes.insert(m_Bytes.end(), bytes, bytes + size);
}

void CMapArchive::ReadBytes(void* data, std::size_t size) {
  if (m_Bytes.size() - m_Position < size) throw CMapArchiveError("the map file ends too early");
  std::memcpy(data, m_Bytes.data() + m_Position, size);
  m_Position += size;
}

// The numbers are stored little-endian, which is also this machine's order.
static_assert(std::endian::native == std::endian::little);

void CMapArchive::Write(std::int32_t value) { WriteBytes(&value, sizeof value); }
void CMapArchive::Write(std::uint32_t value) { WriteBytes(&value, sizeof value); }
void CMapArchive::Write(std::uint16_t value) { WriteBytes(&value, sizeof value); }
void CMapArchive::Write(std::uint8_t value) { WriteBytes(&value, sizeof value); }
void CMapArchive::Write(double value) { WriteBytes(&value, sizeof value); }
void CMapArchive::Read(std::int32_t& value) { ReadBytes(&value, sizeof value); }
void CMapArchive::Read(std::uint32_t& value) { ReadBytes(&value, sizeof value); }
void CMapArchive::Read(std::uint16_t& value) { ReadBytes(&value, sizeof value); }
void CMapArchive::Read(std::uint8_t& value) { ReadBytes(&value, sizeof value); }
void CMapArchive::Read(double& value) { ReadBytes(&value, sizeof value); }

void CMapArchive::Write(const std::string& text) {
  const std::size_t length = text.size();
  if (length < 0xFF) {
    Write(static_cast<std::uint8_t>(length));
  } else {
    Write(std::uint8_t{0xFF});
    if (length < 0xFFFE) {
      Write(static_cast<std::uint16_t>(length));
    } else {
      Write(std::uint16_t{0xFFFF});
      Write(static_cast<std::uint32_t>(length));
    }
  }
  WriteBytes(text.data(), length);
}

void CMapArchive::Read(std::string& text) {
  std::uint8_t shortLength = 0;
  Read(shortLength);
  std::uint32_t length = shortLength;
  if (shortLength == 0xFF) {
    std::uint16_t middle = 0;
    Read(middle);
    length = middle;
    if (middle == 0xFFFE) throw CMapArchiveError("the map file holds a text of wide characters");
    if (middle == 0xFFFF) Read(length);
  }
  if (length > m_Bytes.size() - m_Position) throw CMapArchiveError("a text runs past the end of the map file");
  text.assign(reinterpret_cast<const char*>(m_Bytes.data() + m_Position), length);
  m_Position += length;
}

void CMapArchive::RequireWithin(double value, double limit) const {
  if (!m_Storing && !(std::fabs(value) <= limit)) throw CMapArchiveError("the map file holds a value out of range");
}

void CMapArchive::WriteCount(std::uint32_t count) {
  if (count < 0xFFFF) {
    Write(static_cast<std::uint16_t>(count));
  } else {
    Write(std::uint16_t{0xFFFF});
    Write(count);
  }
}

std::uint32_t CMapArchive::ReadCount(std::size_t itemBytes) {
  std::uint16_t shortCount = 0;
  Read(shortCount);
  std::uint32_t count = shortCount;
  if (shortCount == 0xFFFF) Read(count);
  if (itemBytes > 0 && count > (m_Bytes.size() - m_Position) / itemBytes)
    throw CMapArchiveError("a count is larger than what the map file holds");
  return count;
}

void CMapArchive::WriteTag(std::uint32_t index, bool isClass) {
  if (index < kBigObjectTag) {
    Write(static_cast<std::uint16_t>(isClass ? (kClassTag | index) : index));
  } else {
    Write(kBigObjectTag);
    Write(isClass ? (kBigClassTag | index) : index);
  }
}

void CMapArchive::WriteObject(const CShape* shape) {
  if (!shape) {
    Write(kNullTag);
    return;
  }
  if (auto stored = m_StoredObjects.find(shape); stored != m_StoredObjects.end()) {
    WriteTag(stored->second, false);
    return;
  }
  const std::string className = shape->GetClassName();
  if (auto known = m_StoredClasses.find(className); known != m_StoredClasses.end()) {
    WriteTag(known->second, true);
  } else {
    Write(kNewClassTag);
    Write(kSchema);
    Write(static_cast<std::uint16_t>(className.size()));
    WriteBytes(className.data(), className.size());
    m_StoredClasses[className] = m_NextIndex++;
  }
  m_StoredObjects[shape] = m_NextIndex++;
  // Writing never changes the shape; Serialize is one operation for both directions.
  const_cast<CShape*>(shape)->Serialize(*this);
}

std::uint32_t CMapArchive::ReadClassRecord() {
  std::uint16_t schema = 0;
  std::uint16_t nameLength = 0;
  Read(schema);
  Read(nameLength);
  if (schema != kSchema) throw CMapArchiveError("the map file holds a class of an unknown schema");
  if (nameLength == 0 || nameLength > kMaxClassNameLength) throw CMapArchiveError("the map file names no class");
  std::string name(nameLength, '\0');
  ReadBytes(name.data(), nameLength);
  LoadEntry entry;
  entry.isClass = true;
  entry.className = std::move(name);
  m_Loaded.push_back(std::move(entry));
  return static_cast<std::uint32_t>(m_Loaded.size() - 1);
}

CShape* CMapArchive::ReadNewObject(const std::string& className) {
  std::unique_ptr<CShape> shape = m_Registry ? m_Registry->Create(className) : nullptr;
  if (!shape) throw CMapArchiveError("the map file names an unknown class");
  CShape* object = shape.get();
  m_Owned.push_back(std::move(shape));
  // The object takes its index before its own record is read, as it was written.
  LoadEntry entry;
  entry.object = object;
  m_Loaded.push_back(std::move(entry));
  if (++m_Nesting > kMaxNesting) throw CMapArchiveError("the map file nests its objects too deeply");
  object->Serialize(*this);
  --m_Nesting;
  return object;
}

CShape* CMapArchive::ReadObject() {
  std::uint16_t tag = 0;
  Read(tag);
  std::uint32_t index = 0;
  bool isClass = false;
  if (tag == kBigObjectTag) {
    std::uint32_t bigTag = 0;
    Read(bigTag);
    isClass = (bigTag & kBigClassTag) != 0;
    index = bigTag & ~kBigClassTag;
  } else if (tag == kNewClassTag) {
    index = ReadClassRecord();
    isClass = true;
  } else if (tag & kClassTag) {
    isClass = true;
    index = tag & ~kClassTag;
  } else {
    index = tag;
  }
  if (index == 0 && !isClass) return nullptr;
  if (index == 0 || index >= m_Loaded.size() || m_Loaded[index].isClass != isClass)
    throw CMapArchiveError("the map file refers to an object it does not hold");
  if (!isClass) return m_Loaded[index].object;
  return ReadNewObject(m_Loaded[index].className);
}

std::vector<std::unique_ptr<CShape>> CMapArchive::TakeLoadedObjects() { return std::move(m_Owned); }
