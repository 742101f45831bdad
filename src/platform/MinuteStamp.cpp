#include "platform/MinuteStamp.h"

namespace platform {
namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

}  // namespace

int MinuteStamp(int year, int month, int day, int hour, int minute) {
  const long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - DaysFromCivil(2000, 1, 1);
  return static_cast<int>(days * 1440 + hour * 60 + minute);
}

int MinuteStamp(const std::tm& local) {
  return MinuteStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
}

int MinuteStampOf(TimePoint moment) { return MinuteStamp(LocalTime(moment)); }

}  // namespace platform
