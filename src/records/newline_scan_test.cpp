#include "records/newline_scan.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace peltrix::records {
namespace {

TEST(UnitCountTest, CountingGivesWhatVisitingEveryUnitGives) {
  std::mt19937 random(5);
  const std::string alphabet("\n\n\r\0ab", 6);
  for (int32_t code = 0; code < kCodeCount; ++code) {
    const ActiveUnits units = select_active_units(code, code);
    for (size_t size : {0, 1, 7, 63, 64, 65, 16320, 16321, 40000}) {
      std::string data(size + 16, '\0');
      for (size_t i = 0; i < size; ++i) data[i] = alphabet[random() % alphabet.size()];
      const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
      for (const UnitPattern& unit : {units.lf, units.crlf}) {
        const Alignment alignment{units.lf.length, 0};
        UnitCount visited;
        scan_units(bytes, static_cast<int64_t>(size), unit, alignment, 0, [&](int64_t, int64_t end) {
          ++visited.units;
          visited.last_end = end;
          return true;
        });
        const UnitCount counted = count_units(bytes, static_cast<int64_t>(size), unit, alignment, 0);
        EXPECT_EQ(counted.units, visited.units) << code << " " << size;
        EXPECT_EQ(counted.last_end, visited.last_end) << code << " " << size;
      }
    }
  }
}

}  // namespace
}  // namespace peltrix::records
