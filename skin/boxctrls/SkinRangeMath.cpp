#include "SkinRangeMath.h"
#include <cmath>

namespace SkinRange {

int RoundEven(double V)
{
    if (!(V == V)) return 0;
    if (V > 2e9) return 2000000000;
    if (V < -2e9) return -2000000000;
    return static_cast<int>(std::nearbyint(V));
}

double Fraction(int Value, int Min, int Max)
{
    const long long span = static_cast<long long>(Max) - Min;
    if (span == 0) return 0;
    return static_cast<double>(static_cast<long long>(Value) - Min) / static_cast<double>(span);
}

int ClampValue(int Value, int Min, int Max)
{
    if (Value > Max) Value = Max;
    if (Value < Min) Value = Min;
    return Value;
}

int OffsetOf(int Value, int Min, int Max, int Length)
{
    return RoundEven(Fraction(Value, Min, Max) * Length);
}

int ValueAt(int Offset, int Length, int Min, int Max)
{
    double g = Length > 0 ? static_cast<double>(Offset) / Length : 0;
    if (g < 0) g = 0;
    if (g > 1) g = 1;
    const double v = static_cast<double>(static_cast<long long>(Max) - Min) * g;
    return static_cast<int>(static_cast<long long>(RoundEven(v)) + Min);
}

TBoundedRect BoundCoords(int Left, int Top, int Right, int Bottom)
{
    const int lo = -16384, hi = 16384;
    auto b = [&](int V) { return V < lo ? lo : (V > hi ? hi : V); };
    return {b(Left), b(Top), b(Right), b(Bottom)};
}

}  // namespace SkinRange
