#include "platform/device_context.h"

#include <vector>

namespace platform {

bool GetTextExtentPoint32W(DeviceContext *dc, std::u16string_view text, TextSize &size) {
  if (dc == nullptr) return false;
  std::vector<int32_t> widths(text.size());
  TextSize measured;
  if (!dc->PrefixExtents(text, widths, measured)) return false;
  size = measured;
  return true;
}

bool GetTextExtentExPointW(DeviceContext *dc, const char16_t *str, int32_t cch, int32_t max_extent,
                           int32_t *fit, int32_t *dx, TextSize *size) {
  if (dc == nullptr || cch < 0 || (str == nullptr && cch > 0)) return false;
  const std::u16string_view text(str == nullptr ? u"" : str, static_cast<size_t>(cch));
  std::vector<int32_t> widths(text.size());
  TextSize measured;
  if (!dc->PrefixExtents(text, widths, measured)) return false;
  if (fit != nullptr) {
    int32_t n = 0;
    while (n < cch && widths[static_cast<size_t>(n)] <= max_extent) ++n;
    *fit = n;
  }
  if (dx != nullptr)
    for (size_t i = 0; i < widths.size(); ++i) dx[i] = widths[i];
  if (size != nullptr) *size = measured;
  return true;
}

}  // namespace platform
