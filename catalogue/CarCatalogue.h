#pragma once

// The game's built-in knowledge: models, parts, prices and file codes.
// Row order is what car files store, so rows are never moved or inserted.

#include <array>
#include <cstdint>
#include <string_view>

namespace rivetbay {

struct ModelSpec {
    std::string_view displayName;
    std::string_view variantFileCode;
    std::string_view definitionCode;
    std::string_view textureBaseName;
    std::string_view mountLayout;
    std::string_view frontTireCode;
    std::string_view rearTireCode;
    std::uint32_t price;
    std::uint8_t frontMounts;
    std::uint8_t topMounts;
    std::uint8_t rearMounts;
    std::uint8_t dropperMounts;
    std::uint8_t minPerSide;
    std::uint8_t defaultArmor;
    std::uint8_t defaultChassis;
    std::uint8_t exportBase;
    std::uint8_t paintCount;
    std::array<std::string_view, 4> paintSchemes;
    // Three axles: truck tires ("wftck_"), the rear pair on the middle axle too.
    bool truckTires = false;
};

struct PricedItem {
    std::string_view displayName;
    std::uint32_t price;
};

struct FactorItem {
    std::string_view displayName;
    double factor;
};

namespace CarCatalogue {

inline constexpr int modelCount = 38;
inline constexpr int engineCount = 5;
inline constexpr int suspensionCount = 5;
inline constexpr int brakesCount = 5;
inline constexpr int tireCount = 5;
inline constexpr int weaponCount = 20;
inline constexpr int dropperCount = 6;
inline constexpr int specialCount = 12;

// Weapons at 0-19, droppers at 20-25, specials at 26-37.
inline constexpr int dropperPriceBase = 20;
inline constexpr int specialPriceBase = 26;
// Suspensions at 0-4, brakes at 5-9.
inline constexpr int brakesFactorBase = 5;
// Droppers at 1-5, weapons at 6-24.
inline constexpr int weaponCodeBase = 5;

extern const std::array<ModelSpec, modelCount> modelTable;
extern const std::array<PricedItem, engineCount> engineTable;
extern const std::array<std::string_view, suspensionCount> suspensionNames;
extern const std::array<std::string_view, brakesCount> brakesNames;
extern const std::array<PricedItem, tireCount> tireTable;
extern const std::array<std::string_view, weaponCount> weaponNames;
extern const std::array<bool, weaponCount> weaponTurretCapable;
extern const std::array<std::string_view, dropperCount> dropperNames;
extern const std::array<std::string_view, specialCount> specialNames;
extern const std::array<std::uint32_t, 38> itemPriceTable;
extern const std::array<double, 10> factorTable;
extern const std::array<std::string_view, 25> fileCodeTable;

inline const ModelSpec& model(int index) { return modelTable[index]; }
inline std::uint32_t enginePrice(int index) { return engineTable[index].price; }
inline std::uint32_t tirePrice(int index) { return tireTable[index].price; }
inline std::uint32_t weaponPrice(int index) { return itemPriceTable[index]; }
inline std::uint32_t dropperPrice(int index) { return itemPriceTable[dropperPriceBase + index]; }
inline std::uint32_t specialPrice(int index) { return itemPriceTable[specialPriceBase + index]; }
inline double suspensionFactor(int index) { return factorTable[index]; }
inline double brakesFactor(int index) { return factorTable[brakesFactorBase + index]; }
inline std::string_view weaponFileCode(int index) { return fileCodeTable[weaponCodeBase + index]; }
inline std::string_view dropperFileCode(int index) { return fileCodeTable[index]; }
inline bool isTurretCapable(int weapon) { return weaponTurretCapable[weapon]; }

} // namespace CarCatalogue
} // namespace rivetbay
