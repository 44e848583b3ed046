#pragma once

// The one car being edited. A plain value: the rules that change it live in
// car/Recalculate.h and car/Allocation.h.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay {

enum Side : int { Front = 0, Rear = 1, Left = 2, Right = 3 };

struct CarConfig {
    std::int32_t paintScheme = 0;
    std::string name{}; // 8-bit text, Windows-1252
    std::uint32_t totalPrice = 0;
    std::int32_t model = 0;
    std::int32_t engine = 1;
    std::int32_t suspension = 1;
    std::int32_t frontTires = 1;
    std::int32_t rearTires = 1;
    std::int32_t brakes = 1;
    std::array<std::int32_t, 3> frontWeapons{};
    std::array<std::int32_t, 2> topWeapons{};
    std::array<std::int32_t, 2> rearWeapons{};
    std::array<std::int32_t, 2> droppers{};
    std::array<std::int32_t, 3> specials{};
    std::array<std::uint32_t, 3> specialPrices{};
    std::uint32_t rearTiresPrice = 0;
    std::uint32_t brakesPrice = 0;
    std::uint32_t modelPrice = 0;
    std::uint32_t enginePrice = 0;
    std::uint32_t frontTiresPrice = 0;
    std::uint32_t suspensionPrice = 0;
    std::array<std::uint32_t, 3> frontWeaponPrices{};
    std::array<std::uint32_t, 2> topWeaponPrices{};
    std::array<std::uint32_t, 2> rearWeaponPrices{};
    std::array<std::uint32_t, 2> dropperPrices{};
    std::int32_t turret = 0;
    std::int32_t freePoints = 0;
    std::array<std::int32_t, 4> armor{};
    std::array<std::int32_t, 4> chassis{};

    bool operator==(const CarConfig&) const = default;
};

// The name as the game reads it from a vehicle file: up to its first NUL byte.
std::string_view nameTheGameReads(const CarConfig& config);

// Whether two records hold the same design: every field a car file stores,
// the name included; the derived prices do not count.
bool sameDesign(const CarConfig& a, const CarConfig& b);

// Brings every selection index into its table: anything outside becomes 0
// ("none") and a non-zero turret becomes 1. paintScheme is a list position,
// not a table index, and keeps its value. Call wherever a record comes from
// outside (a file, a window's lists) so that no lookup is ever out of range.
void normaliseSelections(CarConfig& config);

// A selection normaliseSelections would change: the field's name as the
// record has it ("frontWeapons[1]"), its value and its table's size.
struct SelectionProblem {
    std::string field;
    std::int32_t value;
    int tableSize;
};
std::vector<SelectionProblem> selectionsOutsideTables(const CarConfig& config);
// "frontWeapons[1] is 25, outside its table (0 to 19)"
std::string describe(const SelectionProblem& problem);

} // namespace rivetbay
