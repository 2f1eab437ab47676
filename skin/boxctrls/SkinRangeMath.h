// Value-to-position arithmetic shared by the gauge, the track bar and the slider.
// Every quotient here has a guard: a range of one value or a track of no length
// gives the start of the track, never a division by zero.
#pragma once

namespace SkinRange {

// Rounds to the nearest integer, halves to even; out-of-range doubles are clamped.
int RoundEven(double V);
// (Value - Min) / (Max - Min), 0 when Min = Max (in 64 bits: any int range).
double Fraction(int Value, int Min, int Max);
// Value clamped to Min..Max (Min wins when the two are crossed).
int ClampValue(int Value, int Min, int Max);
// round(Fraction * Length).
int OffsetOf(int Value, int Min, int Max, int Length);
// round((Max - Min) * clamp(Offset / Length, 0, 1)) + Min; Min when Length <= 0.
int ValueAt(int Offset, int Length, int Min, int Max);

// A rectangle from a skin with every coordinate pulled into a span no control can
// leave, so that the arithmetic on it never overflows and loops over it stay short.
struct TBoundedRect { int left, top, right, bottom; };
TBoundedRect BoundCoords(int Left, int Top, int Right, int Bottom);

}  // namespace SkinRange
