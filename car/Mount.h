#pragma once

// The nine mounts a car may carry a weapon or a dropper on, named once: the
// form, the editor, the prices, both directions of the vehicle file and the
// bill all count them in this order.

#include "car/CarConfig.h"
#include "catalogue/CarCatalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rivetbay {

enum class Mount { Front1, Front2, Front3, Top1, Top2, Rear1, Rear2, Dropper1, Dropper2 };
inline constexpr std::size_t mountCount = 9;
inline constexpr std::array<Mount, mountCount> allMounts{
    Mount::Front1, Mount::Front2, Mount::Front3, Mount::Top1,     Mount::Top2,
    Mount::Rear1,  Mount::Rear2,  Mount::Dropper1, Mount::Dropper2};

enum class MountGroup { Front, Top, Rear, Dropper };

constexpr std::size_t indexOf(Mount mount) { return static_cast<std::size_t>(mount); }
MountGroup groupOf(Mount mount);
inline bool isDropper(Mount mount) { return groupOf(mount) == MountGroup::Dropper; }

// Whether the model has the mount.
bool hasMount(const ModelSpec& model, Mount mount);

// The record's part on the mount, and its price.
std::int32_t& partAt(CarConfig& config, Mount mount);
std::int32_t partAt(const CarConfig& config, Mount mount);
std::uint32_t& priceAt(CarConfig& config, Mount mount);
std::uint32_t priceAt(const CarConfig& config, Mount mount);

// Its token in a model's mount layout and in the vehicle file: "f1" to "d2".
std::string_view mountToken(Mount mount);
// As the bill names it: "Front 1" to "Dropper 2".
std::string mountLabel(Mount mount);

} // namespace rivetbay
