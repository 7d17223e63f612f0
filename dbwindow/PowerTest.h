#pragma once

// The arithmetic of the skill power test: a skill power drawn from the
// skill's range, the character's attack added, and the damage that remains
// against a magic shield.

#include <functional>
#include <stdexcept>

namespace torvik::dbwindow {

// random(n), n >= 1: a uniform draw from 0 to n - 1.
using RandomDraw = std::function<int(int n)>;

// low + random(high - low) when low < high (so below high); otherwise low.
int RandomBetween(int low, int high, const RandomDraw &random);
// power + low, plus two independent draws random(high - low) when low < high.
int SkillPower(int power, int low, int high, const RandomDraw &random);
// base + spread when spread > 0; otherwise base.
int AttackValue(int base, int spread);

// maxDc - dc as a signed 16-bit number (two's complement), plus 1.
int attackSpread(int dc, int maxDc);

// The floating-point error of a calculation, with the runtime's message.
class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// basePower / ((shieldLevel + 6) * strength) * 8, unrounded. A zero divisor
// raises EMathError: "Floating point division by zero", or "Invalid floating
// point operation" for 0 / 0.
double realDamage(double basePower, int shieldLevel, double strength);

// To the nearest integer, a half to the even neighbour.
double roundHalfEven(double value);

} // namespace torvik::dbwindow
