#pragma once

// Integer scaling shared by the gradient drawing and the transition effects.
namespace ly {

// a × b / c with a 64-bit intermediate, rounded to the nearest integer (halves away from
// zero); -1 when c is 0 or the result does not fit 32 bits, as the system's MulDiv.
int MulDiv(int a, int b, int c);

} // namespace ly
