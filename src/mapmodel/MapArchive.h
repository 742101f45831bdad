#pragma once
// The byte format the map is stored in: little-endian numbers, counted texts and references to objects
// whose class is written by name with its schema number the first time it appears. An object is written
// in full once; later references to it write its index. Classes and objects share one index counter that
// starts at 1 (0 is the null reference).
//
// Loading trusts nothing: a read past the end, an unknown class, a schema other than 1, an index that names
// no object or a nesting deeper than kMaxNesting throws CMapArchiveError. Objects made while loading belong
// to the archive until the caller takes them (TakeLoadedObjects), so a refused file leaves nothing behind.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

class CShape;
class CShapeClassRegistry;

class CMapArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CMapArchive {
 public:
  static constexpr std::uint16_t kSchema = 1;
  static constexpr int kMaxNesting = 32;
  // Coordinates a stored map may hold: far beyond any map, far below where their sums overflow.
  static constexpr double kMaxCoordinate = 1 << 20;

  // An archive to store into.
  CMapArchive();
  // An archive to load from; classes are made through the registry.
  CMapArchive(std::vector<std::uint8_t> bytes, const CShapeClassRegistry& registry);
  ~CMapArchive();
  CMapArchive(const CMapArchive&) = delete;
  CMapArchive& operator=(const CMapArchive&) = delete;

  bool IsStoring() const { return m_Storing; }
  bool IsLoading() const { return !m_Storing; }
  const std::vector<std::uint8_t>& Bytes() const { return m_Bytes; }
  bool AtEnd() const { return m_Position == m_Bytes.size(); }

  void Write(std::int32_t value);
  void Write(std::uint32_t value);
  void Write(std::uint16_t value);
  void Write(std::uint8_t value);
  void Write(double value);
  void Write(const std::string& text);
  // A count: 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
  void WriteCount(std::uint32_t count);
  void WriteObject(const CShape* shape);

  void Read(std::int32_t& value);
  void Read(std::uint32_t& value);
  void Read(std::uint16_t& value);
  void Read(std::uint8_t& value);
  void Read(double& value);
  void Read(std::string& text);
  // A count of items that each take at least itemBytes more bytes: refused when they cannot fit.
  std::uint32_t ReadCount(std::size_t itemBytes);
  // While loading, refuses a value that is not a number or lies further than the limit from zero.
  void RequireWithin(double value, double limit) const;
  // A shape or null; the shape stays the archive's until TakeLoadedObjects.
  CShape* ReadObject();

  // Stores or loads, whichever the archive does.
  template <typename T>
  void Transfer(T& value) {
    if (m_Storing) {
      Write(value);
    } else {
      Read(value);
    }
  }

  // Every object made while loading, in the order they were made; the archive no longer owns them.
  std::vector<std::unique_ptr<CShape>> TakeLoadedObjects();

 private:
  void WriteBytes(const void* data, std::size_t size);
  void ReadBytes(void* data, std::size_t size);
  void WriteTag(std::uint32_t index, bool isClass);
  // A new class record after its 0xFFFF tag: its index in the load table.
  std::uint32_t ReadClassRecord();
  CShape* ReadNewObject(const std::string& className);

  std::vector<std::uint8_t> m_Bytes;
  std::size_t m_Position = 0;
  bool m_Storing = true;
  std::uint32_t m_NextIndex = 1;

  // Storing: indices of the classes and objects written so far.
  std::unordered_map<std::string, std::uint32_t> m_StoredClasses;
  std::unordered_map<const CShape*, std::uint32_t> m_StoredObjects;

  // Loading: what each index stands for (a class name or an object).
  struct LoadEntry {
    bool isClass = false;
    std::string className;
    CShape* object = nullptr;
  };
  const CShapeClassRegistry* m_Registry = nullptr;
  std::vector<LoadEntry> m_Loaded;
  std::vector<std::unique_ptr<CShape>> m_Owned;
  int m_Nesting = 0;
};
