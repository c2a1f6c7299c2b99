// The index parser and the list helpers on arbitrary lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "store/index_file.h"
#include "store/text_utils.h"

namespace {

// A broken invariant is a crash for the fuzzer, with the line that names it.
#define Check(condition) \
  ((condition) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d: %s\n", __LINE__, #condition), std::abort()))

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int field = input.ConsumeIntegralInRange(-2, 40);
  const std::string delimiter = input.ConsumeRandomLengthString(3);
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

  std::string list = line;
  const std::string value = velumbrino::GetListField(list, delimiter, field);
  if (!delimiter.empty()) {
    Check(list.starts_with(delimiter) && list.ends_with(delimiter));
    Check(value.size() <= list.size());
  }
  // Deleting a note removes every ",n," from the line, however they repeat.
  const std::string removed =
      velumbrino::ReplaceAll(line, "," + std::to_string(free_number % 7) + ",", ",");
  Check(removed.find("," + std::to_string(free_number % 7) + ",") == std::string::npos);
  return 0;
}
