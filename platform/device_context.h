// A surface with a current font on which text is measured: stands in for the platform's device
// context (HDC) and its measuring calls GetTextExtentPoint32W and GetTextExtentExPointW.
// Linux has no device contexts; whoever paints (or a test) supplies an implementation of
// PrefixExtents, and the two calls are answered from it. Pixel widths therefore come from that
// implementation, never from the original platform's fonts.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct TextSize {
  int32_t cx = 0;
  int32_t cy = 0;
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  // widths[i] receives the extent from the start of the text to the end of unit i (widths has
  // text.size() entries); size receives the extent and height of the whole text. False when the
  // text cannot be measured.
  virtual bool PrefixExtents(std::u16string_view text, std::span<int32_t> widths,
                             TextSize &size) = 0;
};

// The size of the text in the context's font. False (size untouched) for a null context or
// when measuring fails.
bool GetTextExtentPoint32W(DeviceContext *dc, std::u16string_view text, TextSize &size);

// Measures cch units of str: *fit (when fit is not null) receives how many leading units fit
// within max_extent, dx (when not null; cch entries) the extent of every prefix, *size (when
// not null) the size of the whole text. False for a null context or text, a negative count or a
// failed measurement.
bool GetTextExtentExPointW(DeviceContext *dc, const char16_t *str, int32_t cch, int32_t max_extent,
                           int32_t *fit, int32_t *dx, TextSize *size);

}  // namespace platform
