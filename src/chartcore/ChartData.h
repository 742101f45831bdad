#pragma once
// One data series: up to three dimensions of doubles, row-major, in a buffer the series takes from the
// system's page allocator and gives back itself. A 2 x N series holds the x values in row 0 and the y
// values in row 1.
#include "chartcore/ChartArchive.h"

class CChartData {
 public:
  static constexpr int kSchema = 1;
  static constexpr int kMaxDimensions = 3;

  CChartData() = default;
  ~CChartData();
  CChartData(const CChartData&) = delete;
  CChartData& operator=(const CChartData&) = delete;

  // Copies count values (the product of the used sizes, 1 for no dimension). False, nothing changed, for
  // missing arguments, a dimension count outside 0..3 or a negative size; false and an empty series when
  // the buffer cannot be had (a zero-size buffer included).
  bool SetData(const double* values, int dimensions, const int* sizes);
  // Gives the buffer back; dimensions and sizes stay.
  void FreeValues();
  double* GetValues() { return values_; }
  const double* GetValues() const { return values_; }
  const int* GetSizes() const { return sizes_; }
  int GetDimensions() const { return dimensions_; }
  int GetCount() const { return count_; }
  // Reshapes without touching the buffer; ignored unless 0 <= dimensions <= 3 and every size lies
  // between 0 and the element count.
  void SetSizes(int dimensions, const int* sizes);
  // True for a 2 x N series with its buffer: the only shape an XY chart draws.
  bool IsXYSeries() const;

  // Dimensions, three sizes, element count, then the doubles. A load whose count does not match the sizes
  // or the bytes left fails and leaves an empty series.
  void Serialize(CChartArchive& archive);

 private:
  bool Allocate(int count);
  void MakeEmpty();

  double* values_ = nullptr;
  int dimensions_ = 0;
  int sizes_[kMaxDimensions] = {0, 0, 0};
  int count_ = 0;
};
