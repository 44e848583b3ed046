// A record written and read back is the same record.

#include "files/CarFile.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    rivetbay::CarConfig config;
    std::int32_t values[29] = {};
    const std::size_t taken = size < sizeof values ? size : sizeof values;
    std::memcpy(values, data, taken);
    std::int32_t* fields[] = {
        &config.model,           &config.engine,          &config.suspension,
        &config.frontTires,      &config.rearTires,       &config.brakes,
        &config.frontWeapons[0], &config.frontWeapons[1], &config.frontWeapons[2],
        &config.topWeapons[0],   &config.topWeapons[1],   &config.rearWeapons[0],
        &config.rearWeapons[1],  &config.droppers[0],     &config.droppers[1],
        &config.specials[0],     &config.specials[1],     &config.specials[2],
        &config.turret,          &config.paintScheme,     &config.freePoints,
        &config.armor[0],        &config.armor[1],        &config.armor[2],
        &config.armor[3],        &config.chassis[0],      &config.chassis[1],
        &config.chassis[2],      &config.chassis[3]};
    for (std::size_t i = 0; i < 29; ++i) *fields[i] = values[i];
    // The rest of the input is the name; repeating it reaches the long prefixes.
    std::string tail(reinterpret_cast<const char*>(data) + taken, size - taken);
    const std::size_t repeat = tail.empty() ? 0 : static_cast<unsigned char>(tail[0]) * 300u;
    config.name = tail;
    while (config.name.size() < repeat) config.name += tail;

    std::vector<std::uint8_t> bytes;
    rivetbay::writeCarRecord(config, bytes);
    rivetbay::CarConfig back;
    rivetbay::SpanSource source(bytes);
    if (!rivetbay::readCarRecord(source, back) || !(back == config)) std::abort();
    return 0;
}
