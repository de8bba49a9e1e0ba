// The grid of the tool screens laid out in two columns of captioned fields:
// on each side a caption, its field and a unit, in twips, across the wide
// window; the left captions have room for ten characters, the right ones
// for eight.
#pragma once

namespace hc::two_columns {

inline constexpr int kFieldHeight = 300;
inline constexpr int kCaptionHeight = 180;
// A caption's top beside a field on the row.
constexpr int CaptionTop(int row) { return row + 60; }

inline constexpr int kLeftCaption = 120;
inline constexpr int kLeftCaptionWidth = 1800;
inline constexpr int kLeftField = 1920;
inline constexpr int kLeftFieldWidth = 1260;
inline constexpr int kLeftUnit = 3210;
inline constexpr int kRightCaption = 3420;
inline constexpr int kRightCaptionWidth = 1440;
inline constexpr int kRightField = 4880;
inline constexpr int kRightFieldWidth = 1020;
inline constexpr int kRightUnit = 5930;
inline constexpr int kUnitWidth = 180;

}  // namespace hc::two_columns
