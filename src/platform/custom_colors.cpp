#include "platform/custom_colors.h"

#include "store/text_utils.h"

namespace velumbrino {

namespace {
constexpr std::uint32_t kWhite = 0x00FFFFFF;
}  // namespace

std::string FormatCustomColors(const CustomColors& colors) {
  std::string text;
  for (std::uint32_t color : colors) {
    if (!text.empty()) text += ',';
    text += std::to_string(color);
  }
  return text;
}

CustomColors ParseCustomColors(std::string_view text) {
  CustomColors colors;
  colors.fill(kWhite);
  std::size_t start = 0;
  for (std::size_t index = 0; index < colors.size() && start <= text.size(); ++index) {
    std::size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    const std::optional<int> value = ParseWholeNumber(text.substr(start, end - start));
    if (value && *value >= 0 && static_cast<std::uint32_t>(*value) <= kWhite) {
      colors[index] = static_cast<std::uint32_t>(*value);
    }
    start = end + 1;
  }
  return colors;
}

}  // namespace velumbrino
