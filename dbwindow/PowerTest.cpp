#include "dbwindow/PowerTest.h"

#include <cmath>
#include <cstdint>

namespace torvik::dbwindow {

int RandomBetween(int low, int high, const RandomDraw &random)
{
    return low < high ? low + random(high - low) : low;
}

int SkillPower(int power, int low, int high, const RandomDraw &random)
{
    int result = power + low;
    if (low < high) {
        result += random(high - low);
        result += random(high - low);
    }
    return result;
}

int AttackValue(int base, int spread)
{
    return spread > 0 ? base + spread : base;
}

int attackSpread(int dc, int maxDc)
{
    return int(static_cast<int16_t>(static_cast<uint16_t>(maxDc - dc))) + 1;
}

double realDamage(double basePower, int shieldLevel, double strength)
{
    const double divisor = (shieldLevel + 6) * strength;
    if (divisor == 0)
        throw EMathError(basePower == 0 ? "Invalid floating point operation" : "Floating point division by zero");
    return basePower / divisor * 8;
}

double roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction > 0.5)
        return down + 1;
    if (fraction < 0.5)
        return down;
    return std::fmod(down, 2) == 0 ? down : down + 1;
}

} // namespace torvik::dbwindow
