#include "chartcore/ChartData.h"

#include <sys/mman.h>

#include <climits>
#include <cstdint>
#include <cstring>

CChartData::~CChartData() { FreeValues(); }

bool CChartData::Allocate(int count) {
  FreeValues();
  if (count <= 0) return false;  // a buffer of no bytes cannot be had
  void* block = mmap(nullptr, static_cast<std::size_t>(count) * sizeof(double), PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return false;
  values_ = static_cast<double*>(block);
  return true;
}

void CChartData::FreeValues() {
  if (values_) munmap(values_, static_cast<std::size_t>(count_) * sizeof(double));
  values_ = nullptr;
}

void CChartData::MakeEmpty() {
  FreeValues();
  dimensions_ = 0;
  std::memset(sizes_, 0, sizeof sizes_);
}

bool CChartData::SetData(const double* values, int dimensions, const int* sizes) {
  if (!values || !sizes || dimensions < 0 || dimensions > kMaxDimensions) return false;
  long long count = 1;
  for (int i = 0; i < dimensions; ++i) {
    if (sizes[i] < 0) return false;
    count *= sizes[i];
    if (count > INT_MAX / static_cast<long long>(sizeof(double))) return false;  // more than can be addressed
  }
  FreeValues();
  dimensions_ = dimensions;
  std::memset(sizes_, 0, sizeof sizes_);
  std::memcpy(sizes_, sizes, sizeof(int) * dimensions);
  count_ = static_cast<int>(count);
  if (!Allocate(count_)) {
    MakeEmpty();
    return false;
  }
  std::memcpy(values_, values, sizeof(double) * count_);
  return true;
}

void CChartData::SetSizes(int dimensions, const int* sizes) {
  if (dimensions < 0 || dimensions > kMaxDimensions || !sizes) return;
  for (int i = 0; i < dimensions; ++i) {
    if (sizes[i] < 0 || sizes[i] > count_) return;
  }
  dimensions_ = dimensions;
  std::memcpy(sizes_, sizes, sizeof(int) * dimensions);
}

bool CChartData::IsXYSeries() const { return values_ && dimensions_ == 2 && sizes_[0] == 2 && sizes_[1] > 0; }

void CChartData::Serialize(CChartArchive& archive) {
  if (archive.IsStoring()) {
    archive.Write(static_cast<std::int32_t>(dimensions_));
    for (int size : sizes_) archive.Write(static_cast<std::int32_t>(size));
    const std::uint32_t count = values_ ? static_cast<std::uint32_t>(count_) : 0;
    archive.Write(count);
    if (count > 0) archive.WriteBytes(values_, count * sizeof(double));
    return;
  }
  std::int32_t dimensions = 0;
  std::int32_t sizes[kMaxDimensions] = {};
  std::uint32_t count = 0;
  archive.Read(dimensions);
  for (std::int32_t& size : sizes) archive.Read(size);
  archive.Read(count);
  if (!archive.Failed() && count == 0) {  // a series stored without its buffer
    MakeEmpty();
    count_ = 0;
    return;
  }
  long long expected = 1;
  bool shapeValid = dimensions >= 0 && dimensions <= kMaxDimensions;
  for (int i = 0; shapeValid && i < dimensions; ++i) {
    shapeValid = sizes[i] >= 0;
    expected *= sizes[i];
  }
  if (archive.Failed() || !shapeValid || expected != count || count > archive.Remaining() / sizeof(double) ||
      !Allocate(static_cast<int>(count))) {
    archive.SetFailed();
    MakeEmpty();
    count_ = 0;
    return;
  }
  dimensions_ = dimensions;
  std::memcpy(sizes_, sizes, sizeof sizes_);
  count_ = static_cast<int>(count);
  archive.ReadBytes(values_, count * sizeof(double));
}
