#include "car/Mount.h"

namespace rivetbay {

namespace {

struct MountRow {
    MountGroup group;
    int slot;
    std::string_view token;
};

constexpr MountRow rows[mountCount] = {
    {MountGroup::Front, 0, "f1"}, {MountGroup::Front, 1, "f2"},   {MountGroup::Front, 2, "f3"},
    {MountGroup::Top, 0, "t1"},   {MountGroup::Top, 1, "t2"},     {MountGroup::Rear, 0, "r1"},
    {MountGroup::Rear, 1, "r2"},  {MountGroup::Dropper, 0, "d1"}, {MountGroup::Dropper, 1, "d2"},
};

const MountRow& row(Mount mount) { return rows[indexOf(mount)]; }

template <typename Config> auto& partIn(Config& c, Mount mount)
{
    const auto slot = static_cast<std::size_t>(row(mount).slot);
    switch (row(mount).group) {
    case MountGroup::Front: return c.frontWeapons[slot];
    case MountGroup::Top: return c.topWeapons[slot];
    case MountGroup::Rear: return c.rearWeapons[slot];
    case MountGroup::Dropper: break;
    }
    return c.droppers[slot];
}

template <typename Config> auto& priceIn(Config& c, Mount mount)
{
    const auto slot = static_cast<std::size_t>(row(mount).slot);
    switch (row(mount).group) {
    case MountGroup::Front: return c.frontWeaponPrices[slot];
    case MountGroup::Top: return c.topWeaponPrices[slot];
    case MountGroup::Rear: return c.rearWeaponPrices[slot];
    case MountGroup::Dropper: break;
    }
    return c.dropperPrices[slot];
}

} // namespace

MountGroup groupOf(Mount mount) { return row(mount).group; }

bool hasMount(const ModelSpec& model, Mount mount)
{
    const int count[] = {model.frontMounts, model.topMounts, model.rearMounts, model.dropperMounts};
    return row(mount).slot < count[static_cast<int>(row(mount).group)];
}

std::int32_t& partAt(CarConfig& config, Mount mount) { return partIn(config, mount); }
std::int32_t partAt(const CarConfig& config, Mount mount) { return partIn(config, mount); }
std::uint32_t& priceAt(CarConfig& config, Mount mount) { return priceIn(config, mount); }
std::uint32_t priceAt(const CarConfig& config, Mount mount) { return priceIn(config, mount); }

std::string_view mountToken(Mount mount) { return row(mount).token; }

std::string mountLabel(Mount mount)
{
    static constexpr const char* groups[] = {"Front", "Top", "Rear", "Dropper"};
    return std::string(groups[static_cast<int>(row(mount).group)]) + " " + std::to_string(row(mount).slot + 1);
}

} // namespace rivetbay
