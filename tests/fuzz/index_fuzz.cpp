#include <fuzzer/FuzzedDataProvider.h>

#include <set>
#include <string>

#include "fuzz_check.h"
#include "store/index_file.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string line = input.ConsumeRemainingBytesAsString();

  std::set<int> seen;
  const std::vector<int> numbers = velumbrino::ParseNoteNumbers(line);
  for (int number : numbers) {
    Check(number > 0);
    Check(seen.insert(number).second);
  }
  // A new number is never one the index names, and the rewritten line reads back the same.
  const int free_number = velumbrino::SmallestFreeNumber(numbers);
  Check(free_number > 0 && !seen.count(free_number));
  Check(velumbrino::ParseNoteNumbers(velumbrino::FormatIndexLine(numbers)) == numbers);

  return 0;
}
